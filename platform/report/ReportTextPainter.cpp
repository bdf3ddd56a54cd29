#include "ReportTextPainter.h"

#include "FontTables.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <atomic>

namespace {

constexpr char32_t ellipsis = 0x2026;

// Letters and digits of a family name, for the name of a copy of the font.
QString postScriptWord(const QString& family)
{
    QString word;
    for (QChar ch : family) {
        if (ch.isLetterOrNumber() && ch.unicode() < 0x80)
            word += ch;
    }
    return word.isEmpty() ? QStringLiteral("Font") : word;
}

} // namespace

// One font file as the PDF writer sees it: every size drawn from it goes
// into one PDF font with one text map.
struct ReportTextPainter::Typeface
{
    struct Copy
    {
        int fontId = -1; // of the application font, -1 when it could not be made
        QString name; // its family and PostScript name
    };

    QRawFont raw; // any size, for looking code points up
    QByteArray pdfName; // the name of its PDF font
    // The characters drawn with each glyph, in the order first drawn: the
    // first is drawn from the font, the (k+1)-th from copy k.
    QHash<quint32, QList<char32_t>> charsOfGlyph;
    QList<Copy> copies;

    Typeface() = default;
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;
    ~Typeface()
    {
        for (const Copy& copy : std::as_const(copies)) {
            if (copy.fontId >= 0)
                QFontDatabase::removeApplicationFont(copy.fontId);
        }
    }

    quint32 glyphOf(char32_t ch) const
    {
        const QList<quint32> indexes = raw.glyphIndexesForString(QString::fromUcs4(&ch, 1));
        return indexes.size() == 1 ? indexes.first() : 0;
    }
};

struct ReportTextPainter::Glyph
{
    quint32 index = 0; // 0: the primary font has no glyph for the character
    double advance = 0.0;
    int copy = 0; // the copy of the font it is drawn from, 0 for the font itself
};

struct ReportTextPainter::Face
{
    QFont font;
    QRawFont raw;
    double ascent = 0.0;
    double descent = 0.0;
    std::shared_ptr<Typeface> typeface;
    QList<QRawFont> copies; // the typeface's copies at this size, made when first needed
    QHash<char32_t, Glyph> glyphs;
};

// A text laid out in one face: its glyphs, or covered false when the face
// lacks one of them.
struct ReportTextPainter::Line
{
    QList<quint32> indexes;
    QList<double> advances;
    QList<int> copies;
    double width = 0.0;
    bool covered = true;
    bool copied = false; // some glyph comes from a copy of the font
};

ReportTextPainter::ReportTextPainter(const QStringList& families)
    : m_families(families)
{
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
    std::shared_ptr<Typeface>& typeface = m_typefaces[f->raw.familyName() + QLatin1Char('\n') + f->raw.styleName()];
    if (!typeface) {
        typeface = std::make_shared<Typeface>();
        typeface->raw = f->raw;
        typeface->pdfName = FontTables::postScriptName(f->raw);
    }
    f->typeface = typeface;
    m_faces.insert(key, f);
    return *f;
}

const ReportTextPainter::Glyph& ReportTextPainter::glyph(Face& f, char32_t ch)
{
    auto it = f.glyphs.constFind(ch);
    if (it != f.glyphs.constEnd())
        return *it;
    Glyph g;
    if (f.raw.isValid()) {
        // Control characters (a stray tab or line break in a stored
        // text) print as a blank, as a one-line cell cannot break.
        const char32_t printable = ch < 0x20 ? char32_t(' ') : ch;
        const QList<quint32> indexes = f.raw.glyphIndexesForString(QString::fromUcs4(&printable, 1));
        if (indexes.size() == 1 && indexes.first() != 0) {
            g.index = indexes.first();
            const QList<QPointF> advances = f.raw.advancesForGlyphIndexes(indexes);
            g.advance = advances.isEmpty() ? 0.0 : advances.first().x();
            QList<char32_t>& drawn = f.typeface->charsOfGlyph[g.index];
            qsizetype rank = drawn.indexOf(printable);
            if (rank < 0) {
                rank = drawn.size();
                drawn.append(printable);
            }
            // Without a copy the glyph is still drawn, only its text is lost.
            if (rank > 0 && copyOf(f, static_cast<int>(rank)).isValid())
                g.copy = static_cast<int>(rank);
        }
    }
    return *f.glyphs.insert(ch, g);
}

const QRawFont& ReportTextPainter::copyOf(Face& f, int copy)
{
    Typeface& t = *f.typeface;
    while (t.copies.size() < copy) {
        // Application fonts are known to the whole program: every copy
        // needs a family no other has.
        static std::atomic<int> serial {0};
        Typeface::Copy made;
        made.name = QStringLiteral("%1-Copy%2").arg(postScriptWord(t.raw.familyName())).arg(++serial);
        const QByteArray data = FontTables::copyNamed(t.raw, made.name);
        if (!data.isEmpty())
            made.fontId = QFontDatabase::addApplicationFontFromData(data);
        t.copies.append(made);
    }
    if (f.copies.size() < copy)
        f.copies.resize(copy);
    QRawFont& raw = f.copies[copy - 1];
    const Typeface::Copy& made = t.copies.at(copy - 1);
    if (!raw.isValid() && made.fontId >= 0) {
        QFont font = f.font;
        font.setFamilies({made.name});
        const QRawFont copied = QRawFont::fromFont(font);
        // A family the database does not know brings another font, whose
        // glyph numbers are not these.
        if (copied.familyName() == made.name)
            raw = copied;
    }
    return raw;
}

std::optional<char16_t> ReportTextPainter::drawnChar(const QByteArray& pdfFontName, char16_t codePoint) const
{
    // A font of ours is known by its name: a copy maps the characters it
    // drew, the font itself the first ones drawn with each glyph. Any other
    // font (a fallback, or one named otherwise on this platform) is taken
    // for one of ours.
    const Typeface* named = nullptr;
    qsizetype rank = 0;
    for (const std::shared_ptr<Typeface>& t : m_typefaces) {
        if (t->pdfName == pdfFontName && !pdfFontName.isEmpty())
            named = t.get();
        for (qsizetype k = 0; k < t->copies.size(); ++k) {
            if (t->copies.at(k).name.toLatin1() == pdfFontName) {
                named = t.get();
                rank = k + 1;
            }
        }
    }
    for (const std::shared_ptr<Typeface>& t : m_typefaces) {
        if (named && t.get() != named)
            continue;
        const quint32 index = t->glyphOf(codePoint);
        const auto drawn = t->charsOfGlyph.constFind(index);
        if (index == 0 || drawn == t->charsOfGlyph.constEnd() || drawn->size() <= rank)
            continue;
        const char32_t ch = drawn->at(rank);
        // A map entry holds one UTF-16 unit; Qt maps no glyph beyond them.
        if (ch == codePoint || ch > 0xFFFF)
            return std::nullopt;
        return static_cast<char16_t>(ch);
    }
    return std::nullopt;
}

ReportTextPainter::Line ReportTextPainter::lay(Face& f, const QString& text, const QList<uint>& codePoints)
{
    Line line;
    line.covered = f.raw.isValid();
    line.indexes.reserve(codePoints.size() + 1);
    line.advances.reserve(codePoints.size() + 1);
    line.copies.reserve(codePoints.size() + 1);
    for (uint cp : codePoints) {
        if (!line.covered)
            break;
        const Glyph g = glyph(f, char32_t(cp));
        if (g.index == 0) {
            line.covered = false;
            break;
        }
        line.indexes.append(g.index);
        line.advances.append(g.advance);
        line.copies.append(g.copy);
        line.copied = line.copied || g.copy != 0;
        line.width += g.advance;
    }
    if (!line.covered)
        line.width = QFontMetricsF(f.font).horizontalAdvance(text);
    return line;
}

void ReportTextPainter::draw(
    QPainter& painter, const QRectF& rect, const QString& text, Align align, int pixelSize, bool bold, Fit fit)
{
    if (text.isEmpty() || rect.width() <= 0.0)
        return;
    const QList<uint> codePoints = text.toUcs4();
    Face* f = &face(pixelSize, bold);
    Line line = lay(*f, text, codePoints);
    if (fit == Fit::Shrink) {
        // Widths follow the size but for rounding: try the size that should
        // fit, then step down from it.
        int size = std::max(1, pixelSize);
        while (line.width > rect.width() && size > 1) {
            size = std::clamp(static_cast<int>(size * rect.width() / line.width), 1, size - 1);
            f = &face(size, bold);
            line = lay(*f, text, codePoints);
        }
    }

    if (!line.covered) {
        painter.save();
        painter.setFont(f->font);
        const QFontMetricsF metrics(f->font);
        const QString shown = metrics.elidedText(text, Qt::ElideRight, rect.width());
        const Qt::Alignment h = align == Align::Left ? Qt::AlignLeft
            : align == Align::Right                  ? Qt::AlignRight
                                                     : Qt::AlignHCenter;
        painter.drawText(rect, h | Qt::AlignVCenter | Qt::TextSingleLine, shown);
        painter.restore();
        return;
    }

    if (line.width > rect.width()) {
        const Glyph dots = glyph(*f, ellipsis);
        const double dotsWidth = dots.index != 0 ? dots.advance : 0.0;
        while (!line.indexes.isEmpty() && line.width + dotsWidth > rect.width()) {
            line.width -= line.advances.takeLast();
            line.indexes.removeLast();
            line.copies.removeLast();
        }
        if (dots.index != 0 && line.width + dotsWidth <= rect.width()) {
            line.indexes.append(dots.index);
            line.advances.append(dots.advance);
            line.copies.append(dots.copy);
            line.copied = line.copied || dots.copy != 0;
            line.width += dotsWidth;
        }
        if (line.indexes.isEmpty())
            return;
    }

    QList<QPointF> positions;
    positions.reserve(line.indexes.size());
    double x = 0.0;
    for (double advance : std::as_const(line.advances)) {
        positions.append(QPointF(x, 0.0));
        x += advance;
    }

    double left = rect.left();
    if (align == Align::Center)
        left += (rect.width() - line.width) / 2.0;
    else if (align == Align::Right)
        left = rect.right() - line.width;
    const QPointF origin(left, rect.top() + (rect.height() - (f->ascent + f->descent)) / 2.0 + f->ascent);

    QGlyphRun run;
    if (!line.copied) {
        run.setRawFont(f->raw);
        run.setGlyphIndexes(line.indexes);
        run.setPositions(positions);
        painter.drawGlyphRun(origin, run);
        return;
    }
    // Glyphs of copies of the font are runs of their own.
    const int copies = *std::max_element(line.copies.cbegin(), line.copies.cend());
    for (int copy = 0; copy <= copies; ++copy) {
        QList<quint32> indexes;
        QList<QPointF> at;
        for (qsizetype i = 0; i < line.indexes.size(); ++i) {
            if (line.copies.at(i) == copy) {
                indexes.append(line.indexes.at(i));
                at.append(positions.at(i));
            }
        }
        if (indexes.isEmpty())
            continue;
        run.setRawFont(copy == 0 ? f->raw : f->copies.at(copy - 1));
        run.setGlyphIndexes(indexes);
        run.setPositions(at);
        painter.drawGlyphRun(origin, run);
    }
}
