#pragma once

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QPainter;

// Draws single-line report texts. A list report of ten thousand rows is a
// hundred thousand short texts; laying each one out through
// QPainter::drawText costs more than the whole page budget, so texts the
// primary font covers are drawn as glyph runs from a per-character cache.
// Texts with characters the font lacks go through drawText, which brings
// Qt's font fallback. Coordinates and pixel sizes are those of the painter.
//
// Qt's PDF writer names each glyph in a font's text map by the lowest code
// point the font draws with that glyph, and CJK fonts draw several code
// points with one glyph (㬵 U+3B35 and 胶, the radical ⾏ U+2F8F and 行, a
// tab and a space), so a PDF's text would read 㬵水 for 胶水. The painter
// records which characters it drew with each glyph, for drawnChar() to
// repair the map with. One map entry cannot name two characters: when a
// second character of a glyph is drawn, it is drawn from a copy of the font
// under a name of its own (FontTables::copyNamed), which the PDF holds as a
// font apart with a map of its own.
class ReportTextPainter
{
public:
    enum class Align { Left, Center, Right };
    // How a text too wide for its rectangle is made to fit: cut with "…"
    // (names, remarks), or drawn smaller until it fits whole (figures).
    enum class Fit { Elide, Shrink };

    explicit ReportTextPainter(const QStringList& families);
    ~ReportTextPainter();
    ReportTextPainter(const ReportTextPainter&) = delete;
    ReportTextPainter& operator=(const ReportTextPainter&) = delete;

    // Draws text vertically centred in rect, fitted as fit says when too wide.
    void draw(QPainter& painter, const QRectF& rect, const QString& text, Align align, int pixelSize, bool bold,
        Fit fit = Fit::Elide);

    // The families tried, most preferred first, ending in generic sans.
    static QStringList defaultFamilies(const QString& preferred);

    // The character this painter drew with the glyph that the PDF font
    // named pdfFontName (without its subset tag) draws for codePoint, when
    // that is another character; used to repair the text layer of a PDF.
    std::optional<char16_t> drawnChar(const QByteArray& pdfFontName, char16_t codePoint) const;

private:
    struct Typeface;
    struct Face;
    struct Glyph;
    struct Line;
    Face& face(int pixelSize, bool bold);
    const Glyph& glyph(Face& face, char32_t ch);
    const QRawFont& copyOf(Face& face, int copy);
    Line lay(Face& face, const QString& text, const QList<uint>& codePoints);

    QStringList m_families;
    QHash<int, std::shared_ptr<Face>> m_faces;
    QHash<QString, std::shared_ptr<Typeface>> m_typefaces; // by family and style
};
