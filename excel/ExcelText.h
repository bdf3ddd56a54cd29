#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text conversions of the workbook writer. The 8-bit texts of its interface
// are UTF-8; a byte that does not start a valid UTF-8 sequence is taken as the
// Latin-1 character of the same value, so no input is lost or refused.
namespace ExcelText {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Number of UTF-16 code units the UTF-8 text decodes to.
std::size_t Utf16Length(std::string_view utf8);

// True when every unit is below U+0100, i.e. BIFF can store the text with
// one byte per character ("compressed").
bool FitsLatin1(std::u16string_view utf16);

// The low bytes of the units; only meaningful when FitsLatin1 holds.
std::string ToLatin1(std::u16string_view utf16);
std::u16string FromLatin1(std::string_view latin1);

// The longest prefix of at most maxUnits UTF-16 units that does not split a
// surrogate pair (for UTF-8, a character).
std::u16string_view CutUtf16(std::u16string_view text, std::size_t maxUnits);
std::string_view CutUtf8(std::string_view text, std::size_t maxUnits);

} // namespace ExcelText
