#pragma once

#include <QString>
#include <QStringList>

// What the product search dialog hands back: the code, name and
// variant to filter the products by, each an exact match, joined by
// AND; an empty text puts no condition on its column. Stores turn it into
// a statement with bound values, never into SQL text holding the values.
struct ProductSearchCriteria
{
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;

    bool isEmpty() const { return ProductCode.isEmpty() && ProductName.isEmpty() && ProductSpec.isEmpty(); }
    bool operator==(const ProductSearchCriteria &) const = default;
};

// The WHERE part for a set of criteria: " WHERE ProductCode = ? AND ..."
// (empty without criteria) with the values to bind in placeholder order.
struct ProductCondition
{
    QString whereClause;
    QStringList values;
};

ProductCondition ConditionFor(const ProductSearchCriteria &criteria);
