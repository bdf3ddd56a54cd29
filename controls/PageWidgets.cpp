#include "PageWidgets.h"

#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QSize>
#include <QStyleOptionViewItem>
#include <QTableView>

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

namespace {

// The width a cell of the list takes to show the text whole, as the list's
// own cells are measured, with the grid line beside it.
int cellWidth(const QTableView* view, const QString& text)
{
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = text;
    const QSize size = view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view);
    return size.width() + (view->showGrid() ? 1 : 0);
}

} // namespace

void FitListColumns(QTableView* view, const std::vector<ListColumnFit>& columns)
{
    QHeaderView* header = view->horizontalHeader();
    header->setStretchLastSection(true);
    const int count = static_cast<int>(columns.size());
    for (int column = 0; column < header->count(); ++column) {
        view->setColumnHidden(column, column >= count);
        if (column >= count)
            continue;
        // A title gets the room a cell would give it, not only the
        // header's tight fit.
        const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
        int width = std::max({columns[column].least, header->sectionSizeHint(column), cellWidth(view, title)});
        for (const QString& sample : columns[column].samples)
            width = std::max(width, cellWidth(view, sample));
        view->setColumnWidth(column, width);
    }
}

QStringList BillCodeSamples(const QStringList& prefixes)
{
    // The digits of every day are equally wide.
    const QString number = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("-001");
    QStringList codes;
    for (const QString& prefix : prefixes)
        codes << prefix + number;
    return codes;
}

QString DateSample()
{
    return DateText(QDate::currentDate());
}

QString AmountSample(bool withSign)
{
    return withSign ? QStringLiteral("-99999.99") : QStringLiteral("99999.99");
}

std::unique_ptr<GridReport> LoadReportTemplate(const char* templateName)
{
    auto report = std::make_unique<GridReport>();
    report->LoadTemplateFile(GetAppDirectory() + QLatin1Char('/') + QString::fromLatin1(templateName));
    return report;
}
