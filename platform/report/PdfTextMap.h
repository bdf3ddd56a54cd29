#pragma once

#include <QByteArray>

#include <functional>
#include <optional>

// Repairs the text layer of the PDFs Qt writes. Qt maps every embedded
// glyph back to the lowest code point the font maps to it; CJK fonts such as
// Noto Sans CJK give a radical (U+2F8F "⾏") the same glyph as the character
// (U+884C "行"), so searching or copying the PDF found radicals instead of
// the words printed. correct(codePoint) answers the character that was
// really drawn, or nothing to keep the code point. Only the ToUnicode maps
// change, each code for one of the same length, so no offset in the file
// moves.
namespace PdfTextMap {

QByteArray fixToUnicodeMaps(QByteArray pdf, const std::function<std::optional<char16_t>(char16_t)>& correct);

} // namespace PdfTextMap
