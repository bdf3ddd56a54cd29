#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Receives a byte stream in order, piece by piece. The workbook is produced
// through a sink so that a large "Workbook" stream goes to disk sector by
// sector instead of being held whole in memory.
class ByteSink
{
public:
    virtual ~ByteSink() = default;
    // False when the bytes could not be taken (a failed write, a full buffer).
    virtual bool Put(const std::uint8_t* data, std::size_t size) = 0;
};

// Collects everything into a growing byte vector.
class VectorSink : public ByteSink
{
public:
    explicit VectorSink(std::vector<std::uint8_t>& out)
        : m_out(out)
    {
    }
    bool Put(const std::uint8_t* data, std::size_t size) override
    {
        m_out.insert(m_out.end(), data, data + size);
        return true;
    }

private:
    std::vector<std::uint8_t>& m_out;
};

// Writes into a caller's buffer of known capacity and refuses to overrun it.
class BufferSink : public ByteSink
{
public:
    BufferSink(std::uint8_t* buffer, std::size_t capacity)
        : m_buffer(buffer)
        , m_capacity(capacity)
    {
    }
    bool Put(const std::uint8_t* data, std::size_t size) override;
    std::size_t Written() const { return m_written; }

private:
    std::uint8_t* m_buffer;
    std::size_t m_capacity;
    std::size_t m_written = 0;
};
