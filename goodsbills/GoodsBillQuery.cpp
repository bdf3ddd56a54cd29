#include "GoodsBillQuery.h"

#include <QStringList>

GoodsBillCondition ConditionFor(const GoodsBillQuery &query, const GoodsBillSide &side, const QString &table)
{
    GoodsBillCondition condition;
    QStringList parts;
    // "?N" for the next value.
    const auto next = [&](const GoodsBillCondition::Value &value) {
        condition.values.push_back(value);
        return QStringLiteral("?%1").arg(condition.values.size());
    };
    const auto equal = [&](const char *column, const QString &value) {
        if (!value.isEmpty())
            parts << QStringLiteral("%1%2 = %3").arg(table, QLatin1String(column), next(value));
    };
    equal("CompanyName", query.companyName);
    if (query.billTypeChoice == GoodsBillQuery::ReturnBills)
        equal("BillType", side.returnBillType);
    else if (query.billTypeChoice == GoodsBillQuery::MainBills)
        equal("BillType", side.mainBillType);
    if (query.hasDateRange) {
        // Date texts compare in calendar order.
        parts << QStringLiteral("%1InputDate >= %2").arg(table, next(query.firstDay))
              << QStringLiteral("%1InputDate <= %2").arg(table, next(query.lastDay));
    }
    if (query.hasAmountRange) {
        // As numbers: "100" lies above "99.00".
        parts << QStringLiteral("CAST(%1SumMoney AS REAL) >= %2").arg(table, next(query.lowestAmount))
              << QStringLiteral("CAST(%1SumMoney AS REAL) <= %2").arg(table, next(query.highestAmount));
    }
    equal("BillRemark", query.billRemark);
    equal("SellerName", query.sellerName);
    equal("BillCode", query.billCode);
    equal("ProductCode", query.productCode);
    equal("ProductName", query.productName);
    equal("ProductSpec", query.productSpec);
    condition.expression = parts.join(QStringLiteral(" AND "));
    return condition;
}
