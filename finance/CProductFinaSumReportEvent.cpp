#include "CProductFinaSumReportEvent.h"

CProductFinaSumReportEvent::CProductFinaSumReportEvent()
    : FinanceReportEvent(
        {"帐户名称", "累计结余", "时段收入", "时段支出", "时段利润", "当前结余"},
        [](const ProductFinaSumInfo &row, int) {
            const QString first = row.RowKind == QStringLiteral("总计行") ? QStringLiteral("总合计") : row.AccountName;
            return Texts {first,         row.BalanceBefore, row.PeriodIncome, row.PeriodPayout, row.PeriodProfit,
                          row.BalanceNow};
        })
{
}
