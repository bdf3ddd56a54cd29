#pragma once

#include <QPushButton>

// A push button with a picture beside its caption, the hand cursor, and
// settable face and caption colours: what the old image buttons offered.
class ImageButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ImageButton(const QString &text = QString(), QWidget *parent = nullptr);

    // Loads the picture from a resource path; the icon keeps the button's
    // icon size unless a size is given.
    void setImage(const QString &resourcePath, const QSize &size = QSize());
    void setFaceColor(const QColor &color);
    QColor faceColor() const { return m_face; }
    void setTextColor(const QColor &color);
    QColor textColor() const { return m_text; }

private:
    void applyPalette();

    QColor m_face;
    QColor m_text;
};
