#include "PageWidgets.h"

#include <QLabel>
#include <QSize>

#include <algorithm>

#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"

ImageButton* MakeCommandButton(QWidget* parent, const char* id, const QString& text)
{
    auto* button = new ImageButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    return button;
}

ImageButton* MakePictureButton(QWidget* parent, const char* id, const QString& text, const QString& image)
{
    ImageButton* button = MakeCommandButton(parent, id, text);
    if (!image.isEmpty())
        button->setImage(image, QSize(24, 24));
    return button;
}

QLabel* MakeIdLabel(QWidget* parent, const char* id, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(id));
    return label;
}

void PlacePagingRow(QWidget* prev, QWidget* add, QWidget* next, QWidget* pageLine, const QSize& size)
{
    const int middle = size.width() / 2;
    const int height = size.height();
    prev->setGeometry(middle - 270, height - 55, 140, 35);
    add->setGeometry(middle - 70, height - 55, 140, 35);
    next->setGeometry(middle + 130, height - 55, 140, 35);
    // Under the buttons: the line has the page's width for its longest
    // counts.
    pageLine->setGeometry(15, height - 17, std::max(1, size.width() - 30), 16);
}

std::unique_ptr<GridReport> LoadReportTemplate(const char* templateName)
{
    auto report = std::make_unique<GridReport>();
    report->LoadTemplateFile(GetAppDirectory() + QLatin1Char('/') + QString::fromLatin1(templateName));
    return report;
}
