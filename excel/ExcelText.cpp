#include "ExcelText.h"

#include <cstdint>

namespace ExcelText {
namespace {

    // Decodes one character at text[pos]; returns the code point and advances
    // pos. Malformed or overlong sequences and surrogates yield the lead byte as
    // a Latin-1 character.
    char32_t DecodeOne(std::string_view text, std::size_t& pos)
    {
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (lead < 0x80) {
            ++pos;
            return lead;
        }
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1Fu;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0Fu;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07u;
            minimum = 0x10000;
        }
        if (length == 0 || pos + length > text.size()) {
            ++pos;
            return lead;
        }
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[pos + i]);
            if ((next & 0xC0u) != 0x80u) {
                ++pos;
                return lead;
            }
            cp = (cp << 6) | (next & 0x3Fu);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            ++pos;
            return lead;
        }
        pos += length;
        return cp;
    }

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = DecodeOne(utf8, pos);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::size_t Utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < utf8.size())
        units += DecodeOne(utf8, pos) >= 0x10000 ? 2 : 1;
    return units;
}

bool FitsLatin1(std::u16string_view utf16)
{
    for (char16_t unit : utf16) {
        if (unit > 0xFF)
            return false;
    }
    return true;
}

std::string ToLatin1(std::u16string_view utf16)
{
    std::string out(utf16.size(), '\0');
    for (std::size_t i = 0; i < utf16.size(); ++i)
        out[i] = static_cast<char>(static_cast<unsigned char>(utf16[i] & 0xFF));
    return out;
}

std::u16string FromLatin1(std::string_view latin1)
{
    std::u16string out(latin1.size(), u'\0');
    for (std::size_t i = 0; i < latin1.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(latin1[i]));
    return out;
}

std::u16string_view CutUtf16(std::u16string_view text, std::size_t maxUnits)
{
    if (text.size() <= maxUnits)
        return text;
    std::size_t cut = maxUnits;
    if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF)
        --cut; // keep the pair whole: drop its first half too
    return text.substr(0, cut);
}

std::string_view CutUtf8(std::string_view text, std::size_t maxUnits)
{
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos;
        const std::size_t width = DecodeOne(text, next) >= 0x10000 ? 2 : 1;
        if (units + width > maxUnits)
            return text.substr(0, pos);
        units += width;
        pos = next;
    }
    return text;
}

} // namespace ExcelText
