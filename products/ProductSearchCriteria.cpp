#include "ProductSearchCriteria.h"

ProductCondition ConditionFor(const ProductSearchCriteria &criteria)
{
    ProductCondition condition;
    QStringList parts;
    const auto add = [&](const char *column, const QString &value) {
        if (value.isEmpty())
            return;
        parts << QStringLiteral("%1 = ?").arg(QLatin1String(column));
        condition.values << value;
    };
    add("ProductCode", criteria.ProductCode);
    add("ProductName", criteria.ProductName);
    add("ProductSpec", criteria.ProductSpec);
    if (!parts.isEmpty())
        condition.whereClause = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    return condition;
}
