#include "ProductWidgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "PageWidgets.h"

ImageButton *MakeButton(QWidget *parent, const char *id, const QString &text)
{
    auto *button = new ImageButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    return button;
}

QComboBox *MakeFilterCombo(QWidget *parent, const char *id)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(id));
    combo->setEditable(true);
    // The filter matches exactly what stands in the box: no completion may
    // lengthen a typed text, and Enter must not add it to the list.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The box keeps the width its window gives it: by default it would
    // grow to the longest product name and stretch the window with it.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(kFilterBoxCharacters);
    return combo;
}

void OfferFilterTexts(QComboBox *combo, const QStringList &texts)
{
    combo->addItems(texts);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
    // The drop-down shows whole texts however narrow the box is, up to
    // most of the screen.
    const QFontMetrics metrics(combo->view()->font());
    int widest = 0;
    for (const QString &text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    const QScreen *screen = combo->screen();
    const int limit = screen ? screen->availableGeometry().width() * 3 / 4 : 800;
    const int frame = 2 * combo->view()->frameWidth() + combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 24;
    combo->view()->setMinimumWidth(std::min(widest + frame, limit));
}

std::optional<ProductCatalog::FilterTexts> LoadFilterTexts()
{
    try {
        return ProductCatalog(connection()).ListFilterTexts();
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取筛选用的货品编号、名称和规格失败。"));
        return std::nullopt;
    }
}

QStringList Sorted(QStringList texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

QStringList Reversed(QStringList texts)
{
    std::reverse(texts.begin(), texts.end());
    return texts;
}

void SetUpRecordList(QTableWidget *list, int guidColumn)
{
    list->setColumnHidden(guidColumn, true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->verticalHeader()->hide();
}

void SetUpPriceList(QTableWidget *list)
{
    list->setHorizontalHeaderLabels({QStringLiteral("编号"), QStringLiteral("货品名称"), QStringLiteral("货品规格"),
                                     QStringLiteral("参考价"), QStringLiteral("guid")});
    // The price takes what the price list dialog has left.
    FitListColumns(list, {40, 140, 120, 0});
    SetUpRecordList(list, PriceColumnGuid);
}

void AppendPriceRow(QTableWidget *list, const QString &name, const QString &spec, const QString &price,
                    const QString &guid)
{
    const int row = list->rowCount();
    list->insertRow(row);
    list->setItem(row, PriceColumnNumber, new QTableWidgetItem(QString::number(row)));
    list->setItem(row, PriceColumnName, new QTableWidgetItem(name));
    list->setItem(row, PriceColumnSpec, new QTableWidgetItem(spec));
    list->setItem(row, PriceColumnPrice, new QTableWidgetItem(price));
    list->setItem(row, PriceColumnGuid, new QTableWidgetItem(guid));
}
