#include "ProductStore.h"

#include "Database.h"
#include "GlobalFunctions.h"
#include "RecordColumns.h"

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
