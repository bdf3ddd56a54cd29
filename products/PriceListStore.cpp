#include "PriceListStore.h"

#include "Database.h"
#include "GlobalFunctions.h"
#include "ProductCatalog.h"

namespace {

const PriceListSide kClientSide{"tbl_ClientPriceList", "ClientName"};
const PriceListSide kProviderSide{"tbl_ProviderPriceList", "ProviderName"};

PriceListRow readRow(const Statement &row, const PriceListSide &tables)
{
    PriceListRow r;
    r.OwnerName = row.text(QLatin1String(tables.ownerColumn));
    r.ProductCode = row.text(QStringLiteral("ProductCode"));
    r.ProductName = row.text(QStringLiteral("ProductName"));
    r.ProductSpec = row.text(QStringLiteral("ProductSpec"));
    r.ProductUnit = row.text(QStringLiteral("ProductUnit"));
    r.StockUnitPrice = row.text(QStringLiteral("StockUnitPrice"));
    r.ShipmentUnitPrice = row.text(QStringLiteral("ShipmentUnitPrice"));
    r.ProductRemark = row.text(QStringLiteral("ProductRemark"));
    r.GUID = row.text(QStringLiteral("GUID"));
    return r;
}

// The table and owner column are the program's own names, never input.
QByteArray sqlFor(const char *pattern, const PriceListSide &tables)
{
    return QString::fromLatin1(pattern)
        .arg(QLatin1String(tables.table), QLatin1String(tables.ownerColumn))
        .toUtf8();
}

} // namespace

const PriceListSide &PriceListSide::Of(PartySide side)
{
    return side == PartyProvider ? kProviderSide : kClientSide;
}

PriceListStore::PriceListStore(Database &db, PartySide side)
    : m_db(db)
    , m_side(side)
    , m_tables(PriceListSide::Of(side))
{
}

QList<PriceListRow> PriceListStore::Load(const QString &owner)
{
    QList<PriceListRow> rows;
    Statement query = m_db.prepare(sqlFor("SELECT * FROM %1 WHERE %2 = ? ORDER BY RowNo", m_tables).constData());
    query.bind(1, owner);
    while (query.next())
        rows << readRow(query, m_tables);
    return rows;
}

std::optional<PriceListRow> PriceListStore::Find(const QString &owner, const QString &productName,
                                                 const QString &productSpec)
{
    Statement query = m_db.prepare(
        sqlFor("SELECT * FROM %1 WHERE %2 = ? AND ProductName = ? AND ProductSpec = ? ORDER BY RowNo LIMIT 1", m_tables)
            .constData());
    query.bindAll(owner, productName, productSpec);
    if (!query.next())
        return std::nullopt;
    return readRow(query, m_tables);
}

QString PriceListStore::PartyPrice(const QString &owner, const QString &productName, const QString &productSpec)
{
    if (owner.isEmpty())
        return QString();
    const std::optional<PriceListRow> row = Find(owner, productName, productSpec);
    return row ? row->ShipmentUnitPrice : QString();
}

void PriceListStore::ApplyPartyPrices(const QString &owner, QList<struct_button_storeproduct> &products)
{
    if (owner.isEmpty())
        return;
    for (struct_button_storeproduct &product : products) {
        const QString price = PartyPrice(owner, product.ProductName, product.ProductSpec);
        if (price.isEmpty())
            continue;
        product.StockUnitPrice = price;
        product.ShipmentUnitPrice = price;
    }
}

PriceListStore::AddResult PriceListStore::AddPrice(const QString &owner, const QString &productGuid,
                                                   const QString &price)
{
    AddResult result;
    Transaction transaction(m_db);
    const std::optional<struct_button_storeproduct> product = ProductCatalog(m_db).ProductByGuid(productGuid);
    if (!product)
        return result;

    PriceListRow row;
    row.OwnerName = owner;
    row.ProductCode = product->ProductCode;
    row.ProductName = product->ProductName;
    row.ProductSpec = product->ProductSpec;
    row.ProductUnit = product->ProductUnit;
    row.StockUnitPrice = product->StockUnitPrice;
    row.ShipmentUnitPrice = price;
    row.ProductRemark = product->ProductRemark;

    const std::optional<PriceListRow> existing = Find(owner, product->ProductName, product->ProductSpec);
    if (existing) {
        // Every row of the key follows: two products that share name and
        // variant share their price row.
        Statement update = m_db.prepare(
            sqlFor("UPDATE %1 SET ProductCode = ?, ProductUnit = ?, ShipmentUnitPrice = ?, ProductRemark = ?, "
                   "StockUnitPrice = ? WHERE %2 = ? AND ProductName = ? AND ProductSpec = ?",
                   m_tables)
                .constData());
        update.bindAll(row.ProductCode, row.ProductUnit, row.ShipmentUnitPrice, row.ProductRemark,
                       row.StockUnitPrice, owner, row.ProductName, row.ProductSpec);
        update.run();
        row.GUID = existing->GUID;
        result.outcome = AddOutcome::Updated;
    } else {
        row.GUID = GuidText();
        m_db.insertRow(QLatin1String(m_tables.table),
                       {{QLatin1String(m_tables.ownerColumn), row.OwnerName},
                        {QStringLiteral("ProductCode"), row.ProductCode},
                        {QStringLiteral("ProductName"), row.ProductName},
                        {QStringLiteral("ProductSpec"), row.ProductSpec},
                        {QStringLiteral("ProductUnit"), row.ProductUnit},
                        {QStringLiteral("ShipmentUnitPrice"), row.ShipmentUnitPrice},
                        {QStringLiteral("ProductRemark"), row.ProductRemark},
                        {QStringLiteral("StockUnitPrice"), row.StockUnitPrice},
                        {QStringLiteral("GUID"), row.GUID}});
        result.outcome = AddOutcome::Added;
    }
    transaction.commit();
    result.row = row;
    return result;
}
