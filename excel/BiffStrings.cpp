#include "BiffStrings.h"

#include "ExcelText.h"
#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace Biff {

void ShortString::SetNarrow(std::string_view utf8)
{
    Reset();
    std::u16string characters = ExcelText::Utf8ToUtf16(utf8);
    if (ExcelText::FitsLatin1(characters)) {
        m_narrow = ExcelText::ToLatin1(characters);
        m_unicode = 0;
    } else {
        m_wide = std::move(characters);
        m_unicode = 1;
    }
}

void ShortString::SetWide(std::u16string_view text)
{
    Reset();
    m_wide.assign(text);
    m_unicode = 1;
}

void ShortString::Reset()
{
    m_narrow.clear();
    m_wide.clear();
}

std::uint32_t ShortString::Read(const std::uint8_t* data, std::size_t available)
{
    if (available < 2)
        return 0;
    const std::uint8_t count = data[0];
    const int unicode = data[1] & 0x01;
    const std::size_t bytes = unicode ? 2u * count : count;
    if (available < 2 + bytes)
        return 0;
    Reset();
    m_unicode = unicode;
    if (unicode) {
        for (std::size_t i = 0; i < count; ++i)
            m_wide.push_back(static_cast<char16_t>(LittleEndianRead<std::uint16_t>(data, 2 + 2 * i)));
    } else {
        m_narrow.assign(reinterpret_cast<const char*>(data + 2), count);
    }
    return static_cast<std::uint32_t>(2 + bytes);
}

std::uint32_t ShortString::StringSize() const
{
    const std::size_t size = m_unicode ? m_wide.size() : m_narrow.size();
    return static_cast<std::uint32_t>(std::min(size, kMaxCharacters));
}

std::uint32_t ShortString::DataSize() const
{
    return 2 + (m_unicode ? 2 : 1) * StringSize();
}

std::uint32_t ShortString::Write(std::uint8_t* buffer) const
{
    const std::uint32_t count = StringSize();
    buffer[0] = static_cast<std::uint8_t>(count);
    buffer[1] = static_cast<std::uint8_t>(m_unicode);
    if (m_unicode) {
        for (std::uint32_t i = 0; i < count; ++i)
            LittleEndianWrite(buffer, 2 + 2 * i, static_cast<std::uint16_t>(m_wide[i]));
    } else if (count > 0) {
        std::memcpy(buffer + 2, m_narrow.data(), count);
    }
    return DataSize();
}

std::u16string ShortString::Characters() const
{
    return m_unicode ? m_wide : ExcelText::FromLatin1(m_narrow);
}

std::string ShortString::ToUtf8() const
{
    return ExcelText::Utf16ToUtf8(Characters());
}

LongString LongString::FromUtf8(std::string_view utf8)
{
    std::u16string characters = ExcelText::Utf8ToUtf16(utf8);
    LongString result;
    if (ExcelText::FitsLatin1(characters)) {
        result.narrow = ExcelText::ToLatin1(characters);
        result.flags = 0;
    } else {
        result.wide = std::move(characters);
        result.flags = 1;
    }
    return result;
}

LongString LongString::FromWide(std::u16string_view text)
{
    LongString result;
    result.wide.assign(text);
    result.flags = 1;
    return result;
}

namespace {

    // Appends count characters stored one byte or two bytes each to a string,
    // turning it into UTF-16 once a character needs it.
    bool AppendCharacters(
        LongString& string, const std::uint8_t* bytes, std::size_t available, std::uint32_t count, bool pieceWide)
    {
        const std::size_t size = pieceWide ? 2u * count : count;
        if (available < size)
            return false;
        std::u16string characters;
        characters.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            characters.push_back(pieceWide ? static_cast<char16_t>(LittleEndianRead<std::uint16_t>(bytes, 2 * i))
                                           : static_cast<char16_t>(bytes[i]));
        }
        if (!string.IsWide() && ExcelText::FitsLatin1(characters)) {
            string.narrow += ExcelText::ToLatin1(characters);
        } else {
            if (!string.IsWide()) {
                string.wide = ExcelText::FromLatin1(string.narrow);
                string.narrow.clear();
                string.flags = static_cast<std::uint8_t>(string.flags | 0x01);
            }
            string.wide += characters;
        }
        return true;
    }

} // namespace

std::uint32_t LongString::Read(const std::uint8_t* data, std::size_t available)
{
    if (available < 3)
        return 0;
    const auto count = LittleEndianRead<std::uint16_t>(data, 0);
    const std::uint8_t form = data[2];
    wide.clear();
    narrow.clear();
    runs = 0;
    phoneticSize = 0;
    std::size_t pos = 3;
    if (form & 0x08) {
        if (available < pos + 2)
            return 0;
        runs = LittleEndianRead<std::uint16_t>(data, pos);
        pos += 2;
    }
    if (form & 0x04) {
        if (available < pos + 4)
            return 0;
        phoneticSize = LittleEndianRead<std::uint32_t>(data, pos);
        pos += 4;
    }
    flags = form;
    const bool pieceWide = (form & 0x01) != 0;
    if (!AppendCharacters(*this, data + pos, available - pos, count, pieceWide))
        return 0;
    pos += pieceWide ? 2u * count : count;
    const std::size_t trailing = 4u * runs + phoneticSize;
    if (available < pos + trailing)
        return 0;
    return static_cast<std::uint32_t>(pos + trailing);
}

std::uint32_t LongString::ContinueRead(const std::uint8_t* piece, std::size_t available, std::uint32_t count)
{
    if (count == 0)
        return 0;
    if (available < 1)
        return 0;
    const bool pieceWide = (piece[0] & 0x01) != 0;
    if (flags == kUnknownForm)
        flags = static_cast<std::uint8_t>(piece[0] & 0x01);
    if (!AppendCharacters(*this, piece + 1, available - 1, count, pieceWide))
        return 0;
    return 1 + (pieceWide ? 2u * count : count);
}

std::uint32_t LongString::CharacterCount() const
{
    const std::size_t size = IsWide() ? wide.size() : narrow.size();
    return static_cast<std::uint32_t>(std::min(size, kMaxCharacters));
}

std::uint32_t LongString::StringSize() const
{
    return CharacterCount() * (IsWide() ? 2 : 1);
}

std::uint32_t LongString::Write(std::uint8_t* buffer)
{
    flags = IsWide() ? 1 : 0;
    const std::uint32_t count = CharacterCount();
    LittleEndianWrite(buffer, 0, static_cast<std::uint16_t>(count));
    buffer[2] = flags;
    if (IsWide()) {
        for (std::uint32_t i = 0; i < count; ++i)
            LittleEndianWrite(buffer, 3 + 2 * i, static_cast<std::uint16_t>(wide[i]));
    } else if (count > 0) {
        std::memcpy(buffer + 3, narrow.data(), count);
    }
    return DataSize();
}

std::u16string LongString::Characters() const
{
    return IsWide() ? wide : ExcelText::FromLatin1(narrow);
}

} // namespace Biff
