#pragma once

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <vector>

// Every integer of a compound file and of a BIFF record is stored least
// significant byte first, whatever the machine's own byte order.

template <std::integral T>
void LittleEndianWrite(std::uint8_t* buffer, std::size_t pos, T value, std::size_t bytes = sizeof(T))
{
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t i = 0; i < bytes; ++i) {
        buffer[pos + i] = static_cast<std::uint8_t>(bits & 0xFFu);
        bits = static_cast<std::make_unsigned_t<T>>(bits >> 8);
    }
}

inline void LittleEndianWrite(std::uint8_t* buffer, std::size_t pos, double value)
{
    LittleEndianWrite(buffer, pos, std::bit_cast<std::uint64_t>(value));
}

template <std::integral T>
T LittleEndianRead(const std::uint8_t* buffer, std::size_t pos, std::size_t bytes = sizeof(T))
{
    std::make_unsigned_t<T> bits = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        bits = static_cast<std::make_unsigned_t<T>>(
            bits | static_cast<std::make_unsigned_t<T>>(buffer[pos + i]) << (8 * i));
    return static_cast<T>(bits);
}

inline double LittleEndianReadDouble(const std::uint8_t* buffer, std::size_t pos)
{
    return std::bit_cast<double>(LittleEndianRead<std::uint64_t>(buffer, pos));
}

// The forms over a byte vector refuse positions outside it.
template <std::integral T>
bool LittleEndianWrite(std::vector<std::uint8_t>& data, std::size_t pos, T value, std::size_t bytes = sizeof(T))
{
    if (pos > data.size() || bytes > data.size() - pos)
        return false;
    LittleEndianWrite(data.data(), pos, value, bytes);
    return true;
}

template <std::integral T>
bool LittleEndianRead(const std::vector<std::uint8_t>& data, std::size_t pos, T& value, std::size_t bytes = sizeof(T))
{
    if (pos > data.size() || bytes > data.size() - pos)
        return false;
    value = LittleEndianRead<T>(data.data(), pos, bytes);
    return true;
}
