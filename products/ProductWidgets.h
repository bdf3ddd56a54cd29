#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "ProductCatalog.h"

class QComboBox;
class QLabel;
class QTableWidget;
class QWidget;
class ImageButton;

// The widgets the product windows build alike, so that they look and
// behave the same in every window that shows them.

ImageButton *MakeButton(QWidget *parent, const char *id, const QString &text);

// How many characters a filter box is wide unless its window sets more.
inline constexpr int kFilterBoxCharacters = 14;

// An editable box whose text filters the products by exact match. Its
// width does not follow the texts it offers.
QComboBox *MakeFilterCombo(QWidget *parent, const char *id);
// Offers the texts in a filter box with nothing chosen: filling a list
// must not fill in a filter. The drop-down is made wide enough for the
// longest text.
void OfferFilterTexts(QComboBox *combo, const QStringList &texts);
// What the filter boxes offer; nothing, after saying why, when the
// database failed.
std::optional<ProductCatalog::FilterTexts> LoadFilterTexts();
QStringList Sorted(QStringList texts);
// Entries inserted one by one at the top of a list end up last first.
QStringList Reversed(QStringList texts);

// A list of records: whole rows chosen one at a time, never edited in
// place, the GUID column kept but hidden.
void SetUpRecordList(QTableWidget *list, int guidColumn);

// The columns of the price list and of the all-products list it adds from.
enum PriceListColumn {
    PriceColumnNumber = 0,
    PriceColumnName,
    PriceColumnSpec,
    PriceColumnPrice,
    PriceColumnGuid,
    PriceColumnCount
};
void SetUpPriceList(QTableWidget *list);
// Appends a row numbered by its place in the list.
void AppendPriceRow(QTableWidget *list, const QString &name, const QString &spec, const QString &price,
                    const QString &guid);
