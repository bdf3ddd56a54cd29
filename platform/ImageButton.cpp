#include "ImageButton.h"

#include <QIcon>

ImageButton::ImageButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    // Inside a QDialog a push button would be "auto default": Enter in any
    // field would click it. The program's buttons are pressed by a click;
    // a dialog that wants Enter to mean a button says so with setDefault.
    setAutoDefault(false);
}

void ImageButton::setImage(const QString &resourcePath, const QSize &size)
{
    setIcon(QIcon(resourcePath));
    if (size.isValid())
        setIconSize(size);
}

void ImageButton::setFaceColor(const QColor &color)
{
    m_face = color;
    applyPalette();
}

void ImageButton::setTextColor(const QColor &color)
{
    m_text = color;
    applyPalette();
}

void ImageButton::applyPalette()
{
    // A disabled button keeps the style's grey caption.
    QString sheet;
    if (m_face.isValid())
        sheet += QStringLiteral("QPushButton { background-color: %1; }").arg(m_face.name());
    if (m_text.isValid())
        sheet += QStringLiteral("QPushButton:enabled { color: %1; }").arg(m_text.name());
    setStyleSheet(sheet);
    update();
}
