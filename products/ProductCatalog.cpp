#include "ProductCatalog.h"

#include <QSet>

#include "Database.h"
#include "ProductRows.h"

namespace {

// The picker's filter: code and name only.
ProductCondition nameFilter(const ProductSearchCriteria &filter)
{
    ProductSearchCriteria codeAndName = filter;
    codeAndName.ProductSpec.clear();
    return ConditionFor(codeAndName);
}

} // namespace

QList<struct_button_storeproduct> ProductCatalog::readProducts(const QString &sql, const QStringList &values)
{
    Statement query = PrepareBound(m_db, sql, values);
    return ReadProducts(query);
}

QList<struct_button_storeproduct> ProductCatalog::AllProducts()
{
    return readProducts(QStringLiteral("SELECT * FROM tbl_StoreMgr ORDER BY RowNo"), {});
}

QList<struct_button_storeproduct> ProductCatalog::Search(const ProductSearchCriteria &criteria)
{
    const ProductCondition condition = ConditionFor(criteria);
    return readProducts(QStringLiteral("SELECT * FROM tbl_StoreMgr%1 ORDER BY RowNo").arg(condition.whereClause),
                        condition.values);
}

std::optional<struct_button_storeproduct> ProductCatalog::ProductByGuid(const QString &guid)
{
    if (guid.isEmpty())
        return std::nullopt;
    const QList<struct_button_storeproduct> found = readProducts(
        QStringLiteral("SELECT * FROM tbl_StoreMgr WHERE GUID = ? ORDER BY RowNo LIMIT 1"), {guid});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

int ProductCatalog::CountProductNames(const ProductSearchCriteria &filter)
{
    const ProductCondition condition = nameFilter(filter);
    Statement query = PrepareBound(
        m_db, QStringLiteral("SELECT COUNT(DISTINCT ProductName) AS n FROM tbl_StoreMgr%1").arg(condition.whereClause),
        condition.values);
    return query.next() ? static_cast<int>(query.integer(QStringLiteral("n"))) : 0;
}

QStringList ProductCatalog::ProductNames(const ProductSearchCriteria &filter, int offset, int limit)
{
    const ProductCondition condition = nameFilter(filter);
    Statement query = PrepareBound(m_db,
                                   QStringLiteral("SELECT ProductName FROM tbl_StoreMgr%1 GROUP BY ProductName "
                                                 "ORDER BY MIN(RowNo) LIMIT ? OFFSET ?")
                                      .arg(condition.whereClause),
                                  condition.values);
    const int next = static_cast<int>(condition.values.size()) + 1;
    query.bind(next, limit).bind(next + 1, offset);
    QStringList names;
    while (query.next())
        names << query.text(QStringLiteral("ProductName"));
    return names;
}

int ProductCatalog::CountProductsNamed(const QString &name)
{
    Statement query = m_db.prepare("SELECT COUNT(*) AS n FROM tbl_StoreMgr WHERE ProductName = ?");
    query.bind(1, name);
    return query.next() ? static_cast<int>(query.integer(QStringLiteral("n"))) : 0;
}

QList<struct_button_storeproduct> ProductCatalog::ProductsNamed(const QString &name, int offset, int limit)
{
    Statement query =
        m_db.prepare("SELECT * FROM tbl_StoreMgr WHERE ProductName = ? ORDER BY RowNo LIMIT ? OFFSET ?");
    query.bind(1, name).bind(2, limit).bind(3, offset);
    return ReadProducts(query);
}

ProductCatalog::FilterTexts ProductCatalog::ListFilterTexts()
{
    FilterTexts texts;
    QSet<QString> seen;
    Statement query = m_db.prepare("SELECT ProductCode, ProductName, ProductSpec FROM tbl_StoreMgr ORDER BY RowNo");
    while (query.next()) {
        texts.codes << query.text(QStringLiteral("ProductCode"));
        texts.specs << query.text(QStringLiteral("ProductSpec"));
        const QString name = query.text(QStringLiteral("ProductName"));
        if (!seen.contains(name)) {
            seen.insert(name);
            texts.names << name;
        }
    }
    return texts;
}
