#include "ProductStore.h"

#include "Database.h"
#include "GlobalFunctions.h"
#include "ProductRows.h"
#include "RecordColumns.h"

QList<struct_button_storeproduct> ProductStore::LowStockProducts()
{
    QList<struct_button_storeproduct> products;
    Statement query = m_db.prepare("SELECT * FROM tbl_StoreMgr ORDER BY RowNo");
    for (const struct_button_storeproduct &product : ReadProducts(query)) {
        if (StrToDouble(product.ProductStockCount) < StrToDouble(product.PromptCount))
            products << product;
    }
    return products;
}

int ProductStore::CountProducts(const ProductSearchCriteria &filter)
{
    const ProductCondition condition = ConditionFor(filter);
    Statement query = PrepareBound(
        m_db, QStringLiteral("SELECT COUNT(*) AS n FROM tbl_StoreMgr%1").arg(condition.whereClause), condition.values);
    return query.next() ? static_cast<int>(query.integer(QStringLiteral("n"))) : 0;
}

QList<struct_button_storeproduct> ProductStore::ProductsPage(const ProductSearchCriteria &filter, int first, int limit)
{
    const ProductCondition condition = ConditionFor(filter);
    Statement query = PrepareBound(
        m_db, QStringLiteral("SELECT * FROM tbl_StoreMgr%1 ORDER BY RowNo LIMIT ? OFFSET ?").arg(condition.whereClause),
        condition.values);
    const int next = static_cast<int>(condition.values.size()) + 1;
    query.bind(next, limit).bind(next + 1, first);
    return ReadProducts(query);
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
