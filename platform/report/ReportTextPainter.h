#pragma once

#include <QFont>
#include <QHash>
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
class ReportTextPainter
{
public:
    enum class Align { Left, Center, Right };

    explicit ReportTextPainter(const QStringList& families);
    ~ReportTextPainter();
    ReportTextPainter(const ReportTextPainter&) = delete;
    ReportTextPainter& operator=(const ReportTextPainter&) = delete;

    // Draws text vertically centred in rect, cut with "…" when too wide.
    void draw(QPainter& painter, const QRectF& rect, const QString& text, Align align, int pixelSize, bool bold);

    // The families tried, most preferred first, ending in generic sans.
    static QStringList defaultFamilies(const QString& preferred);

    // For a CJK radical code point whose glyph this painter drew for an
    // ordinary character (U+2F8F and "行" share one glyph in Noto CJK),
    // that character; used to repair the text layer of a PDF.
    std::optional<char16_t> drawnCharForRadical(char16_t codePoint);
    static bool isCjkRadical(char32_t codePoint);

private:
    struct Face;
    Face& face(int pixelSize, bool bold);

    QStringList m_families;
    QHash<int, std::shared_ptr<Face>> m_faces;
};
