#include "GoodsBillQuery.h"

#include <QStringList>

GoodsBillCondition ConditionFor(const GoodsBillQuery &query, const GoodsBillSide &side)
{
    GoodsBillCondition condition;
    QStringList parts;
    const auto equal = [&](const char *column, const QString &value) {
        if (value.isEmpty())
            return;
        parts << QStringLiteral("%1 = ?").arg(QLatin1String(column));
        condition.values.emplace_back(value);
    };
    equal("CompanyName", query.companyName);
    if (query.billTypeChoice == GoodsBillQuery::ReturnBills)
        equal("BillType", side.returnBillType);
    else if (query.billTypeChoice == GoodsBillQuery::MainBills)
        equal("BillType", side.mainBillType);
    if (query.hasDateRange) {
        // Date texts compare in calendar order.
        parts << QStringLiteral("InputDate >= ? AND InputDate <= ?");
        condition.values.emplace_back(query.firstDay);
        condition.values.emplace_back(query.lastDay);
    }
    if (query.hasAmountRange) {
        // As numbers: "100" lies above "99.00".
        parts << QStringLiteral("CAST(SumMoney AS REAL) >= ? AND CAST(SumMoney AS REAL) <= ?");
        condition.values.emplace_back(query.lowestAmount);
        condition.values.emplace_back(query.highestAmount);
    }
    equal("BillRemark", query.billRemark);
    equal("SellerName", query.sellerName);
    equal("BillCode", query.billCode);
    equal("ProductCode", query.productCode);
    equal("ProductName", query.productName);
    equal("ProductSpec", query.productSpec);
    if (!parts.isEmpty())
        condition.whereClause = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    return condition;
}
