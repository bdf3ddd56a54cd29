#include "SettingsWidgets.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

#include "ImageButton.h"
#include "PageWidgets.h"

ImageButton *MakeSettingsButton(QWidget *parent, const char *id, const QString &text, const QString &image)
{
    ImageButton *button = MakeCommandButton(parent, id, text);
    if (!image.isEmpty())
        button->setImage(image);
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
