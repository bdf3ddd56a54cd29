#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The two string fields that BIFF8 records embed. Both hold their
// characters as the file stores them: one byte each ("compressed", the
// characters U+0000 to U+00FF) or UTF-16. Text given as UTF-8 is compressed
// only when every character fits; otherwise it is kept as UTF-16, so Chinese
// text is never cut down to bytes.
namespace Biff {

// 8-bit character count; used by FONT and BOUNDSHEET.
class ShortString
{
public:
    static constexpr std::size_t kMaxCharacters = 255;

    ShortString() = default;
    // An 8-bit (UTF-8) text: compressed when every character is below U+0100.
    void SetNarrow(std::string_view utf8);
    // A wide text: always written as UTF-16.
    void SetWide(std::u16string_view text);
    void Reset();

    std::uint32_t Read(const std::uint8_t* data, std::size_t available);
    // Writes at most kMaxCharacters characters; the count byte never wraps.
    std::uint32_t Write(std::uint8_t* buffer) const;
    std::uint32_t StringSize() const;
    std::uint32_t DataSize() const;
    std::uint32_t RecordSize() const { return DataSize(); }

    bool IsUnicode() const { return m_unicode != 0; }
    std::u16string Characters() const;
    std::string ToUtf8() const;

private:
    std::string m_narrow; // compressed characters
    std::u16string m_wide;
    int m_unicode = 0;
};

// 16-bit character count; the strings of the shared-string table.
class LongString
{
public:
    static constexpr std::size_t kMaxCharacters = 65535;
    static constexpr std::uint8_t kUnknownForm = 0xFF;

    static LongString FromUtf8(std::string_view utf8);
    static LongString FromWide(std::u16string_view text);

    // Parses a string that lies whole in data; 0 when it does not fit.
    std::uint32_t Read(const std::uint8_t* data, std::size_t available);
    // Appends count characters from a piece that starts with a flags byte
    // (the start of a string's data, or a CONTINUE piece); returns the bytes
    // taken, 0 when they are not there. A UTF-16 piece makes the whole string
    // UTF-16.
    std::uint32_t ContinueRead(const std::uint8_t* piece, std::size_t available, std::uint32_t count);
    // Writes count, flags and characters; rich-text runs and phonetic data
    // are never written.
    std::uint32_t Write(std::uint8_t* buffer);
    std::uint32_t CharacterCount() const;
    std::uint32_t StringSize() const;
    std::uint32_t DataSize() const { return StringSize() + 3; }
    std::uint32_t RecordSize() const { return DataSize(); }
    bool IsWide() const { return (flags & 0x01) != 0; }
    std::u16string Characters() const;

    std::u16string wide;
    std::string narrow; // compressed characters
    std::uint8_t flags = kUnknownForm;
    std::uint16_t runs = 0;
    std::uint32_t phoneticSize = 0;
};

} // namespace Biff
