#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "RecordTypes.h"
#include "SharedTypes.h"

class Database;

// One row of a client's or a provider's price list in memory, in the order
// of its texts: the owner (the party's name), the product's code, name,
// variant and unit, the product's purchase reference price, the
// agreed price and the product's remark, and the row's own GUID.
struct PriceListRow
{
    QString OwnerName;
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;
    QString ProductUnit;
    QString StockUnitPrice;
    QString ShipmentUnitPrice; // the agreed price, on both sides
    QString ProductRemark;
    QString GUID;

    bool operator==(const PriceListRow &) const = default;
};

// Where one side keeps its price lists: the table and its owner column.
// The two tables are alike but for the owner column.
struct PriceListSide
{
    const char *table;
    const char *ownerColumn;

    static const PriceListSide &Of(PartySide side);
};

// The SQL of the client and provider price lists, one design given the
// side. A price row is identified by owner, product name and
// variant together. Callers catch DbError; it opens no window.
class PriceListStore
{
public:
    PriceListStore(Database &db, PartySide side);

    PartySide side() const { return m_side; }

    // The owner's rows in table order.
    QList<PriceListRow> Load(const QString &owner);
    // The first row of the key, if any.
    std::optional<PriceListRow> Find(const QString &owner, const QString &productName, const QString &productSpec);
    // The agreed price for the product, empty when the owner is empty or
    // has no row for it.
    QString PartyPrice(const QString &owner, const QString &productName, const QString &productSpec);
    // Gives each product the owner's agreed price as both its purchase and
    // its sales price, where the owner has a non-empty one; the others keep
    // their own prices.
    void ApplyPartyPrices(const QString &owner, QList<struct_button_storeproduct> &products);

    enum class AddOutcome { Added, Updated, ProductMissing };
    struct AddResult
    {
        AddOutcome outcome = AddOutcome::ProductMissing;
        // The row as it now stands (empty for a missing product).
        PriceListRow row;
    };
    // Enters the agreed price for the product with that GUID: refreshes the
    // copied product columns and the price of every row of the key, or adds
    // a row when there is none. Reading the product and writing the row
    // happen in one transaction; a product that cannot be found writes
    // nothing.
    AddResult AddPrice(const QString &owner, const QString &productGuid, const QString &price);

private:
    Database &m_db;
    PartySide m_side;
    const PriceListSide &m_tables;
};
