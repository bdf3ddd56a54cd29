#include "SettingsWidgets.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

#include "ImageButton.h"

ImageButton *MakeSettingsButton(QWidget *parent, const char *id, const QString &text, const QString &image)
{
    auto *button = new ImageButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    if (!image.isEmpty())
        button->setImage(image);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QWidget *MakeHeading(QWidget *parent, const QString &image, const QString &text)
{
    auto *heading = new QWidget(parent);
    auto *row = new QHBoxLayout(heading);
    row->setContentsMargins(0, 0, 0, 0);
    if (!image.isEmpty()) {
        auto *picture = new QLabel(heading);
        picture->setPixmap(QIcon(image).pixmap(20, 20));
        row->addWidget(picture);
    }
    auto *caption = new QLabel(text, heading);
    row->addWidget(caption);
    row->addStretch();
    return heading;
}
