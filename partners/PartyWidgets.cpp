#include "PartyWidgets.h"

#include <QLabel>

#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"

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

ImageButton *MakePartyButton(QWidget *parent, const char *id, const QString &text, const QString &image)
{
    auto *button = new ImageButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    button->setAutoDefault(false);
    button->setDefault(false);
    if (!image.isEmpty())
        button->setImage(image, QSize(24, 24));
    return button;
}

QLabel *MakePartyLabel(QWidget *parent, const char *id, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(id));
    return label;
}

std::unique_ptr<GridReport> LoadPartyReport(const char *templateName)
{
    auto report = std::make_unique<GridReport>();
    report->LoadTemplateFile(GetAppDirectory() + QLatin1Char('/') + QString::fromLatin1(templateName));
    return report;
}
