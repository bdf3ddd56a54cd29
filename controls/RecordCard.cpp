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

// Texts start at the top of their rectangles as single lines, within the
// left and right edges. The rectangles were made for a 15-pixel line; a
// fallback face for Chinese has a taller one, so the height is never cut
// below a full line.
void drawText(QPainter &painter, const RecordCard::DrawnText &drawn)
{
    QRect area = drawn.rect;
    area.setHeight(std::max(drawn.rect.height(), QFontMetrics(painter.font()).height()));
    painter.save();
    painter.setPen(drawn.color);
    painter.setClipRect(area);
    painter.drawText(area, drawn.alignment | Qt::AlignTop | Qt::TextSingleLine, drawn.text);
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
    for (const DrawnText &drawn : drawnTexts())
        drawText(painter, drawn);
}

std::vector<RecordCard::DrawnText> RecordCard::drawnTexts() const
{
    const CardContent shown = content();
    const QFontMetrics metrics(font());
    const QColor cardColor = shown.cardColor();
    std::vector<DrawnText> texts;
    auto add = [&](const QRect &rect, int alignment, const QString &text, const QColor &color) {
        texts.push_back({fitted(metrics, text, rect.width()), rect, alignment, color});
    };
    if (!shown.kindWord.isEmpty())
        add(shown.kindRect, Qt::AlignHCenter, shown.kindWord, cardColor);
    for (const CardRow &row : shown.rows) {
        add(row.labelRect, Qt::AlignHCenter, row.label, kCardLabelColor);
        add(row.valueRect, Qt::AlignLeft, row.value, cardColor);
    }
    if (!shown.title.isEmpty())
        add(shown.titleRect, Qt::AlignHCenter, shown.title, cardColor);
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
