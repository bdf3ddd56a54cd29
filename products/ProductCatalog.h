#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "ProductSearchCriteria.h"
#include "RecordTypes.h"

class Database;

// The read-only product queries of the catalogue windows: the pickers, the
// product search, the all-products list and the product-information page.
// Rows come in table order. It writes nothing (the store page owns the
// product rows) and opens no window; callers catch DbError.
class ProductCatalog
{
public:
    explicit ProductCatalog(Database &db)
        : m_db(db)
    {
    }

    QList<struct_button_storeproduct> AllProducts();
    // The products matching every non-empty text of the criteria exactly.
    QList<struct_button_storeproduct> Search(const ProductSearchCriteria &criteria);
    // Nothing for an empty GUID or a product that is gone.
    std::optional<struct_button_storeproduct> ProductByGuid(const QString &guid);

    // The product picker: the distinct names of the products that match the
    // code and name of the filter (its variant is not used), in the
    // order the names first appear.
    int CountProductNames(const ProductSearchCriteria &filter);
    QStringList ProductNames(const ProductSearchCriteria &filter, int offset, int limit);

    // The picker of variants: the products that carry one name.
    int CountProductsNamed(const QString &name);
    QList<struct_button_storeproduct> ProductsNamed(const QString &name, int offset, int limit);

    // What the filter boxes offer: every product's code and variant
    // (repeats kept, table order) and every name once, in the order the
    // names first appear.
    struct FilterTexts
    {
        QStringList codes;
        QStringList names;
        QStringList specs;
    };
    FilterTexts ListFilterTexts();

private:
    QList<struct_button_storeproduct> readProducts(const QString &sql, const QStringList &values);

    Database &m_db;
};
