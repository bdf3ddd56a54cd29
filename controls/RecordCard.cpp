#include "RecordCard.h"

#include <algorithm>

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "CardResources.h"

namespace {

// Texts start at the top of their rectangles as single lines, cut at the
// left and right edges. The rectangles were made for a 15-pixel line; a
// fallback face for Chinese has a taller one, so the height is never cut
// below a full line.
void drawClipped(QPainter &painter, const QRect &rect, int alignment, const QString &text)
{
    QRect area = rect;
    area.setHeight(std::max(rect.height(), QFontMetrics(painter.font()).height()));
    painter.save();
    painter.setClipRect(area);
    painter.drawText(area, alignment | Qt::AlignTop | Qt::TextSingleLine, text);
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
    painter.setFont(font());
    const QColor cardColor = shown.cardColor();
    if (!shown.kindWord.isEmpty()) {
        painter.setPen(cardColor);
        drawClipped(painter, shown.kindRect, Qt::AlignHCenter, shown.kindWord);
    }
    for (const CardRow &row : shown.rows) {
        painter.setPen(kCardLabelColor);
        drawClipped(painter, row.labelRect, Qt::AlignHCenter, row.label);
        painter.setPen(cardColor);
        drawClipped(painter, row.valueRect, Qt::AlignLeft, row.value);
    }
    if (!shown.title.isEmpty()) {
        painter.setPen(cardColor);
        drawClipped(painter, shown.titleRect, Qt::AlignHCenter, shown.title);
    }
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
