#include "FinancePageWidgets.h"

#include <QLabel>

#include "ImageButton.h"

ImageButton *MakePageButton(QWidget *parent, const char *id, const QString &caption, const QString &image)
{
    auto *button = new ImageButton(caption, parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setAutoDefault(false);
    button->setDefault(false);
    if (!image.isEmpty())
        button->setImage(image, QSize(24, 24));
    return button;
}

QLabel *MakePageLabel(QWidget *parent, const char *id, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(id));
    return label;
}
