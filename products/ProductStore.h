#pragma once

#include <QList>
#include <QString>

#include "ProductSearchCriteria.h"
#include "RecordTypes.h"

class Database;

// Said when a product was deleted elsewhere since its row or card was
// listed.
inline const QString kProductGoneMessage = QStringLiteral("该货品已不存在，可能已被删除。");

// The writes of tbl_StoreMgr rows and the store page's listing. Rows are
// found by GUID; a product without one is never written to (nothing
// updates or deletes where GUID = ''). Changing a product leaves its
// stored stock count alone: only the goods bills move it. It opens no
// window; callers catch DbError.
class ProductStore
{
public:
    explicit ProductStore(Database &db)
        : m_db(db)
    {
    }

    // Products whose stored stock count is strictly below their alarm
    // count, in table order. A count that is not a number reads as the
    // number it begins with, or 0.
    QList<struct_button_storeproduct> LowStockProducts();

    // The products matching the filter (exact texts joined by AND), in
    // table order: how many, and `limit` of them from `first` on.
    int CountProducts(const ProductSearchCriteria &filter);
    QList<struct_button_storeproduct> ProductsPage(const ProductSearchCriteria &filter, int first, int limit);

    // Adds the row with every column of the record, the stock count
    // included. False (nothing written) for a record without a GUID.
    bool AddProduct(const struct_button_storeproduct &product);
    // Rewrites the code, name, variant, unit, prices, alarm count and
    // remark of the row with the record's GUID. False when there is no
    // such row (or no GUID).
    bool UpdateProduct(const struct_button_storeproduct &product);
    // False when there is no row with that GUID (or no GUID).
    bool DeleteProduct(const QString &guid);

private:
    Database &m_db;
};
