#pragma once

#include <QByteArray>
#include <QString>

class QRawFont;

// What the report's PDF text repair reads from and writes into the tables
// of an OpenType font.
namespace FontTables {

// The font's PostScript name as a PDF names the font (its /BaseFont): the
// naming table's entry 6, blanks as '_'. Empty when the font has none.
QByteArray postScriptName(const QRawFont& font);

// A copy of the font, as font file data to register with QFontDatabase:
// the tables that drawing needs (outlines, metrics, character map; no
// layout tables, the copy draws glyph runs only) and a naming table whose
// family, full and PostScript names are all `name`. Qt's PDF writer makes
// one PDF font of each font file it draws from, so a glyph drawn from the
// copy gets a code, and a text map entry, apart from the same glyph drawn
// from the original. Empty when the font gives no outlines.
QByteArray copyNamed(const QRawFont& font, const QString& name);

} // namespace FontTables
