#include "ReportTextPainter.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>

namespace {

struct Glyph
{
    quint32 index = 0;
    double advance = 0.0;
};

constexpr char32_t ellipsis = 0x2026;

} // namespace

struct ReportTextPainter::Face
{
    QFont font;
    QRawFont raw;
    double ascent = 0.0;
    double descent = 0.0;
    QHash<char32_t, Glyph> glyphs;
    QHash<quint32, char32_t> ordinaryCharOfGlyph; // the first non-radical character per glyph

    // Index 0 means the primary font has no glyph for the character.
    const Glyph& glyph(char32_t ch)
    {
        auto it = glyphs.constFind(ch);
        if (it != glyphs.constEnd())
            return *it;
        Glyph g;
        if (raw.isValid()) {
            // Control characters (a stray tab or line break in a stored
            // text) print as a blank, as a one-line cell cannot break.
            const char32_t printable = ch < 0x20 ? char32_t(' ') : ch;
            const QList<quint32> indexes = raw.glyphIndexesForString(QString::fromUcs4(&printable, 1));
            if (indexes.size() == 1 && indexes.first() != 0) {
                g.index = indexes.first();
                const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes);
                g.advance = advances.isEmpty() ? 0.0 : advances.first().x();
                if (!isCjkRadical(ch) && !ordinaryCharOfGlyph.contains(g.index))
                    ordinaryCharOfGlyph.insert(g.index, ch);
            }
        }
        return *glyphs.insert(ch, g);
    }
};

ReportTextPainter::ReportTextPainter(const QStringList& families)
    : m_families(families)
{
}

bool ReportTextPainter::isCjkRadical(char32_t codePoint)
{
    // CJK Radicals Supplement, Kangxi Radicals and CJK Strokes.
    return (codePoint >= 0x2E80 && codePoint <= 0x2FDF) || (codePoint >= 0x31C0 && codePoint <= 0x31EF);
}

std::optional<char16_t> ReportTextPainter::drawnCharForRadical(char16_t codePoint)
{
    if (!isCjkRadical(codePoint))
        return std::nullopt;
    for (const std::shared_ptr<Face>& face : std::as_const(m_faces)) {
        const quint32 index = face->glyph(codePoint).index;
        if (index == 0)
            continue;
        const auto it = face->ordinaryCharOfGlyph.constFind(index);
        if (it != face->ordinaryCharOfGlyph.constEnd() && *it <= 0xFFFF)
            return static_cast<char16_t>(*it);
    }
    return std::nullopt;
}

ReportTextPainter::~ReportTextPainter() = default;

QStringList ReportTextPainter::defaultFamilies(const QString& preferred)
{
    QStringList families;
    if (!preferred.trimmed().isEmpty())
        families.append(preferred.trimmed());
    // Sans-serif families that cover simplified Chinese, as found on the
    // Linux and Windows desktops the shop may use; Qt's own fallback takes
    // over when none of them is installed.
    families << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("Noto Sans SC")
             << QStringLiteral("Source Han Sans SC") << QStringLiteral("WenQuanYi Micro Hei")
             << QStringLiteral("WenQuanYi Zen Hei") << QStringLiteral("Microsoft YaHei") << QStringLiteral("SimHei")
             << QStringLiteral("Droid Sans Fallback") << QStringLiteral("sans-serif");
    families.removeDuplicates();
    return families;
}

ReportTextPainter::Face& ReportTextPainter::face(int pixelSize, bool bold)
{
    pixelSize = std::max(1, pixelSize);
    const int key = pixelSize * 2 + (bold ? 1 : 0);
    auto it = m_faces.constFind(key);
    if (it != m_faces.constEnd())
        return **it;
    auto f = std::make_shared<Face>();
    f->font.setFamilies(m_families);
    f->font.setStyleHint(QFont::SansSerif);
    f->font.setPixelSize(pixelSize);
    f->font.setBold(bold);
    // Hinting snaps glyphs to the grid of a screen; a page is scaled to
    // many devices, so the outlines must stay as designed.
    f->font.setHintingPreference(QFont::PreferNoHinting);
    f->raw = QRawFont::fromFont(f->font);
    if (f->raw.isValid()) {
        f->ascent = f->raw.ascent();
        f->descent = f->raw.descent();
    } else {
        const QFontMetricsF metrics(f->font);
        f->ascent = metrics.ascent();
        f->descent = metrics.descent();
    }
    m_faces.insert(key, f);
    return *f;
}

void ReportTextPainter::draw(
    QPainter& painter, const QRectF& rect, const QString& text, Align align, int pixelSize, bool bold)
{
    if (text.isEmpty() || rect.width() <= 0.0)
        return;
    Face& f = face(pixelSize, bold);
    const QList<uint> codePoints = text.toUcs4();

    QList<quint32> indexes;
    QList<double> advances;
    indexes.reserve(codePoints.size() + 1);
    advances.reserve(codePoints.size() + 1);
    bool covered = f.raw.isValid();
    double total = 0.0;
    for (uint cp : codePoints) {
        if (!covered)
            break;
        const Glyph& g = f.glyph(char32_t(cp));
        if (g.index == 0) {
            covered = false;
            break;
        }
        indexes.append(g.index);
        advances.append(g.advance);
        total += g.advance;
    }

    if (!covered) {
        painter.save();
        painter.setFont(f.font);
        const QFontMetricsF metrics(f.font);
        const QString shown = metrics.elidedText(text, Qt::ElideRight, rect.width());
        const Qt::Alignment h = align == Align::Left ? Qt::AlignLeft
            : align == Align::Right                  ? Qt::AlignRight
                                                     : Qt::AlignHCenter;
        painter.drawText(rect, h | Qt::AlignVCenter | Qt::TextSingleLine, shown);
        painter.restore();
        return;
    }

    if (total > rect.width()) {
        const Glyph& dots = f.glyph(ellipsis);
        const double dotsWidth = dots.index != 0 ? dots.advance : 0.0;
        while (!indexes.isEmpty() && total + dotsWidth > rect.width()) {
            total -= advances.takeLast();
            indexes.removeLast();
        }
        if (dots.index != 0 && total + dotsWidth <= rect.width()) {
            indexes.append(dots.index);
            advances.append(dots.advance);
            total += dotsWidth;
        }
        if (indexes.isEmpty())
            return;
    }

    QList<QPointF> positions;
    positions.reserve(indexes.size());
    double x = 0.0;
    for (double advance : std::as_const(advances)) {
        positions.append(QPointF(x, 0.0));
        x += advance;
    }

    double left = rect.left();
    if (align == Align::Center)
        left += (rect.width() - total) / 2.0;
    else if (align == Align::Right)
        left = rect.right() - total;
    const double baseline = rect.top() + (rect.height() - (f.ascent + f.descent)) / 2.0 + f.ascent;

    QGlyphRun run;
    run.setRawFont(f.raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(left, baseline), run);
}
