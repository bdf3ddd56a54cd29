#include "ProductStore.h"

#include "Database.h"
#include "GlobalFunctions.h"
#include "RecordColumns.h"

namespace {

Statement prepareWith(Database &db, const QString &sql, const QStringList &values)
{
    Statement statement = db.prepare(sql.toUtf8().constData());
    int index = 1;
    for (const QString &value : values)
        statement.bind(index++, value);
    return statement;
}

} // namespace

QList<struct_button_storeproduct> ProductStore::LowStockProducts()
{
    QList<struct_button_storeproduct> products;
    Statement query = m_db.prepare("SELECT * FROM tbl_StoreMgr ORDER BY RowNo");
    while (query.next()) {
        struct_button_storeproduct product;
        ReadColumns(query, product);
        if (StrToDouble(product.ProductStockCount) < StrToDouble(product.PromptCount))
            products << product;
    }
    return products;
}

int ProductStore::CountProducts(const ProductSearchCriteria &filter)
{
    const ProductCondition condition = ConditionFor(filter);
    Statement query = prepareWith(
        m_db, QStringLiteral("SELECT COUNT(*) AS n FROM tbl_StoreMgr%1").arg(condition.whereClause), condition.values);
    return query.next() ? static_cast<int>(query.integer(QStringLiteral("n"))) : 0;
}

QList<struct_button_storeproduct> ProductStore::ProductsPage(const ProductSearchCriteria &filter, int first, int limit)
{
    const ProductCondition condition = ConditionFor(filter);
    Statement query = prepareWith(
        m_db, QStringLiteral("SELECT * FROM tbl_StoreMgr%1 ORDER BY RowNo LIMIT ? OFFSET ?").arg(condition.whereClause),
        condition.values);
    const int next = static_cast<int>(condition.values.size()) + 1;
    query.bind(next, limit).bind(next + 1, first);
    QList<struct_button_storeproduct> products;
    while (query.next())
        products << RecordFromRow<struct_button_storeproduct>(query);
    return products;
}

bool ProductStore::AddProduct(const struct_button_storeproduct &product)
{
    if (product.GUID.isEmpty())
        return false;
    m_db.insertRow(QString::fromLatin1(RecordTable<struct_button_storeproduct>::name), InsertColumns(product));
    return true;
}

bool ProductStore::UpdateProduct(const struct_button_storeproduct &product)
{
    if (product.GUID.isEmpty())
        return false;
    Statement update = m_db.prepare(
        "UPDATE tbl_StoreMgr SET ProductCode = ?, ProductName = ?, ProductSpec = ?, ProductUnit = ?, "
        "StockUnitPrice = ?, ShipmentUnitPrice = ?, PromptCount = ?, ProductRemark = ? WHERE GUID = ?");
    update.bindAll(product.ProductCode, product.ProductName, product.ProductSpec, product.ProductUnit,
                   product.StockUnitPrice, product.ShipmentUnitPrice, product.PromptCount, product.ProductRemark,
                   product.GUID);
    update.run();
    return m_db.changes() > 0;
}

bool ProductStore::DeleteProduct(const QString &guid)
{
    if (guid.isEmpty())
        return false;
    Statement remove = m_db.prepare("DELETE FROM tbl_StoreMgr WHERE GUID = ?");
    remove.bind(1, guid);
    remove.run();
    return m_db.changes() > 0;
}
