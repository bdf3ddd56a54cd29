#include "GoodsBillWidgets.h"

#include "ImageButton.h"

ImageButton *MakeCommandButton(QWidget *parent, const char *id, const QString &text)
{
    auto *button = new ImageButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}
