#pragma once

#include <QByteArray>

#include <functional>
#include <optional>

// Repairs the text layer of the PDFs Qt writes. Qt maps every embedded
// glyph back to the lowest code point the font maps to it; CJK fonts such as
// Noto Sans CJK give a radical (U+2F8F "⾏") or a rare variant (U+3B35 "㬵")
// the same glyph as a common character ("行", "胶"), so searching or
// copying the PDF found other characters than the words printed.
// correct(fontName, codePoint) answers the character that was really drawn
// in the font of that name (its /BaseFont, empty when it has none), or
// nothing to keep the code point. Only the ToUnicode maps change, each code
// for one of the same length, so no offset in the file moves.
namespace PdfTextMap {

using Correction = std::function<std::optional<char16_t>(const QByteArray& fontName, char16_t codePoint)>;

QByteArray fixToUnicodeMaps(QByteArray pdf, const Correction& correct);

} // namespace PdfTextMap
