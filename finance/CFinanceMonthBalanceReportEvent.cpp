#include "CFinanceMonthBalanceReportEvent.h"

CFinanceMonthBalanceReportEvent::CFinanceMonthBalanceReportEvent()
    : FinanceReportEvent({"帐户名称", "本月收入", "本月支出", "本月利润", "本月结余", "上月结余"},
                         [](const FinanceMonthBalanceInfo &row, int) {
                             const QString first
                                 = row.RowKind == QStringLiteral("总计行") ? QStringLiteral("总合计") : row.AccountName;
                             return Texts {first,           row.MonthIncome,  row.MonthPayout,
                                           row.MonthProfit, row.MonthBalance, row.LastMonthBalance};
                         })
{
}
