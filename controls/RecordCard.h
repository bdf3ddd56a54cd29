#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QRect>
#include <QString>

#include <vector>

#include "CardContent.h"

// The widget side shared by every record card: it paints a CardContent on
// its face colour, lights up under the mouse, and turns a press followed by
// a release on the card into one "open". The record, its owner page and
// what opening means live in the typed cards (RecordButtons.h).
//
// The card never emits clicked(): a page learns of a click only through its
// owner interface, as the record's dialog is opened for it.
class RecordCard : public QAbstractButton
{
    Q_OBJECT

public:
    explicit RecordCard(QWidget *parent = nullptr);

    // The colour the face is painted in: the palette's button colour until
    // the first hover on the page, then the hover or the plain colour.
    QColor faceColor() const;
    void setFaceColor(const QColor &color);
    // The plain face RGB(240, 240, 240), repainted; the page calls it on
    // every card when the mouse has left one.
    int ResetFaceColor();

    // What the card shows now.
    virtual CardContent content() const = 0;

    // One text as the card paints it: cut with "…" at the right when it is
    // wider than its rectangle, which is one line of the card's font high
    // and apart from the other rows' rectangles.
    struct DrawnText
    {
        QString text;
        QRect rect;
        int alignment = 0;
        QColor color;
        QFont font;
    };
    // The card's texts in painting order: kind word, then label and value
    // of each row, then the title.
    std::vector<DrawnText> drawnTexts() const;

    QSize sizeHint() const override;

protected:
    // The mouse left the card: the owner page resets every face.
    virtual void resetOwnerFaces() {}
    // A press and a release on the card.
    virtual void openRecord() {}
    // Picker entries choose on the press and have no hover colour.
    virtual bool choosesOnPress() const { return false; }
    virtual void choose() {}

    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor m_face;
    bool m_pressed = false;
};
