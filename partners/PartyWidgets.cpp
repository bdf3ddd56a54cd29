#include "PartyWidgets.h"

#include <QIcon>
#include <QToolButton>
#include <QtGlobal>

// Resources of a static library are only linked in when something refers
// to their initialiser, which must stand outside any namespace.
static void initPartnersQrc()
{
    Q_INIT_RESOURCE(partners);
}

void InitPartyResources()
{
    [[maybe_unused]] static const bool registered = (initPartnersQrc(), true);
}

QToolButton *MakeSideButton(QWidget *parent, const char *id, const QString &text, const QString &image)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setText(text);
    button->setIcon(QIcon(image));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}
