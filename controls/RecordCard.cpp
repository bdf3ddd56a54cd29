#include "RecordCard.h"

#include <algorithm>

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "CardResources.h"

namespace {

// A text too wide for its place ends in "…", so that a cut-off name shows
// that it goes on.
QString fitted(const QFontMetrics &metrics, const QString &text, int width)
{
    return metrics.elidedText(text, Qt::ElideRight, std::max(0, width));
}

// The kind word of a store card is the stock count, a figure that must not
// be cut: a count too wide for its place is drawn smaller, down to a size
// still read at a glance, and only then cut.
QFont shrunkToFit(const QFont &font, const QString &text, int width)
{
    QFont smaller = font;
    const int smallest = std::max(1, font.pixelSize() * 3 / 5);
    while (smaller.pixelSize() > smallest && QFontMetrics(smaller).horizontalAdvance(text) > width)
        smaller.setPixelSize(smaller.pixelSize() - 1);
    return smaller;
}

// Texts are single lines from the top of their rectangles, within the
// left and right edges; drawnTexts() makes every rectangle a whole line of
// the card's font high, so the clip cuts no glyph.
void drawText(QPainter &painter, const RecordCard::DrawnText &drawn)
{
    painter.save();
    painter.setPen(drawn.color);
    painter.setFont(drawn.font);
    painter.setClipRect(drawn.rect);
    painter.drawText(drawn.rect, drawn.alignment | Qt::AlignTop | Qt::TextSingleLine, drawn.text);
    painter.restore();
}

} // namespace

RecordCard::RecordCard(QWidget *parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setFont(CardFont());
    resize(sizeHint());
}

QSize RecordCard::sizeHint() const
{
    return QSize(230, 77);
}

QColor RecordCard::faceColor() const
{
    return m_face.isValid() ? m_face : palette().color(QPalette::Button);
}

void RecordCard::setFaceColor(const QColor &color)
{
    m_face = color;
    update();
}

int RecordCard::ResetFaceColor()
{
    setFaceColor(kCardPlainFace);
    return 1;
}

void RecordCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect();
    painter.fillRect(frame, faceColor());
    // A semi-flat card: a light upper-left edge and a darker lower-right one.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());

    const CardContent shown = content();
    if (shown.icon != kIconNone) {
        const QImage icon = IconImage(shown.icon, 32);
        if (!icon.isNull())
            painter.drawImage(shown.iconPos, icon);
    }
    for (const DrawnText &drawn : drawnTexts())
        drawText(painter, drawn);
}

std::vector<RecordCard::DrawnText> RecordCard::drawnTexts() const
{
    const CardContent shown = content();
    const QFontMetrics metrics(font());
    const QColor cardColor = shown.cardColor();
    std::vector<DrawnText> texts;
    // The row of each text: -1 for the kind word and the title.
    std::vector<int> rowOf;
    auto add = [&](const QRect &rect, int alignment, const QString &text, const QColor &color, int row,
                   const QFont &textFont) {
        texts.push_back({fitted(QFontMetrics(textFont), text, rect.width()), rect, alignment, color, textFont});
        rowOf.push_back(row);
    };
    if (!shown.kindWord.isEmpty())
        add(shown.kindRect, Qt::AlignHCenter, shown.kindWord, cardColor, -1,
            shrunkToFit(font(), shown.kindWord, shown.kindRect.width()));
    for (int row = 0; row < static_cast<int>(shown.rows.size()); ++row) {
        const CardRow &cardRow = shown.rows[static_cast<std::size_t>(row)];
        add(cardRow.labelRect, Qt::AlignHCenter, cardRow.label, kCardLabelColor, row, font());
        add(cardRow.valueRect, Qt::AlignLeft, cardRow.value, cardColor, row, font());
    }
    if (!shown.title.isEmpty())
        add(shown.titleRect, Qt::AlignHCenter, shown.title, cardColor, -1, font());

    // One line of the card's font, as high as its texts reach: a fallback
    // face for Chinese may stand taller than the font's own line.
    QString all;
    for (const DrawnText &drawn : texts)
        all += drawn.text;
    const int line = std::max(metrics.height(), metrics.boundingRect(all).height());
    // Each row stands where the card puts it but at least a line below the
    // one above, so that no row runs into the next; the rows move up
    // together when the last would end below the card.
    std::vector<int> tops;
    for (const CardRow &cardRow : shown.rows)
        tops.push_back(tops.empty() ? cardRow.labelRect.top() : std::max(cardRow.labelRect.top(), tops.back() + line));
    const int overflow = tops.empty() ? 0 : std::clamp(tops.back() + line - height(), 0, tops.front());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        QRect &rect = texts[i].rect;
        const int top = rowOf[i] < 0 ? std::min(rect.top(), height() - line)
                                     : tops[static_cast<std::size_t>(rowOf[i])] - overflow;
        rect = QRect(rect.left(), top, rect.width(), line);
    }
    return texts;
}

void RecordCard::enterEvent(QEnterEvent *event)
{
    if (!choosesOnPress())
        setFaceColor(kCardHoverFace);
    QAbstractButton::enterEvent(event);
}

void RecordCard::leaveEvent(QEvent *event)
{
    if (!choosesOnPress()) {
        resetOwnerFaces();
        setFaceColor(kCardPlainFace);
    }
    QAbstractButton::leaveEvent(event);
}

void RecordCard::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (choosesOnPress()) {
        choose();
        QAbstractButton::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    event->accept();
}

void RecordCard::mouseReleaseEvent(QMouseEvent *event)
{
    if (choosesOnPress()) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    // A release without a press on this card opens nothing; neither does a
    // press that was dragged off the card before letting go.
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && rect().contains(event->position().toPoint()))
        openRecord();
}
