#include "ProductWidgets.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"

ImageButton *MakeButton(QWidget *parent, const char *id, const QString &text)
{
    auto *button = new ImageButton(text, parent);
    button->setObjectName(QString::fromLatin1(id));
    return button;
}

QLabel *MakeLabel(QWidget *parent, const char *id, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(id));
    return label;
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
    return combo;
}

void OfferFilterTexts(QComboBox *combo, const QStringList &texts)
{
    combo->addItems(texts);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

std::optional<ProductCatalog::FilterTexts> LoadFilterTexts()
{
    try {
        return ProductCatalog(connection()).ListFilterTexts();
    } catch (const DbError &error) {
        ShowErrorMessage(error.displayText());
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
    list->setColumnWidth(PriceColumnNumber, 50);
    list->setColumnWidth(PriceColumnName, 140);
    list->setColumnWidth(PriceColumnSpec, 130);
    list->setColumnWidth(PriceColumnPrice, 80);
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
