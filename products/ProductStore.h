#pragma once

#include <QList>

#include "RecordTypes.h"

class Database;

// The SQL of the products table. It opens no window; callers catch
// DbError.
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

private:
    Database &m_db;
};
