#include "PageWidgets.h"

#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QSize>
#include <QTableView>

#include <algorithm>

#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "ListColumnFitter.h"

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

void SetUpReportList(QTableView* view, QLayout* pageLayout)
{
    const QMargins margins = pageLayout->contentsMargins();
    pageLayout->setContentsMargins(4, margins.top(), 4, margins.bottom());
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The scroll bar that a search would bring would narrow the last
    // column: it is always there.
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void FitListColumns(QTableView* view, const std::vector<int>& least)
{
    QHeaderView* header = view->horizontalHeader();
    header->setStretchLastSection(true);
    const int count = static_cast<int>(least.size());
    for (int column = 0; column < header->count(); ++column) {
        view->setColumnHidden(column, column >= count);
        if (column < count)
            view->setColumnWidth(column, std::max(least[column], ListTitleWidth(view, column)));
    }
}

std::unique_ptr<GridReport> LoadReportTemplate(const char* templateName)
{
    auto report = std::make_unique<GridReport>();
    report->LoadTemplateFile(GetAppDirectory() + QLatin1Char('/') + QString::fromLatin1(templateName));
    return report;
}
