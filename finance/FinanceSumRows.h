#pragma once

#include <QList>
#include <QString>

class Database;

// One row of the 财务月结 report: the account (or "总合计"), then 累计结余
// (balance before the period), 时段收入, 时段支出, 时段利润 (income less
// payout), 当前结余 (balance at the period's end), each a DoubleToStr text
// (two decimals, half a cent rounded away from zero), and the row-kind
// marker (left empty).
struct ProductFinaSumInfo
{
    QString AccountName;
    QString BalanceBefore;
    QString PeriodIncome;
    QString PeriodPayout;
    QString PeriodProfit;
    QString BalanceNow;
    QString RowKind;

    bool operator==(const ProductFinaSumInfo &) const = default;
};

// One row of the month-balance report, which is prepared but never
// filled: the account, 本月收入, 本月支出, 本月利润, 本月结余, 上月结余 and
// the row-kind marker ("总计行" marks a totals row).
struct FinanceMonthBalanceInfo
{
    QString AccountName;
    QString MonthIncome;
    QString MonthPayout;
    QString MonthProfit;
    QString MonthBalance;
    QString LastMonthBalance;
    QString RowKind;

    bool operator==(const FinanceMonthBalanceInfo &) const = default;
};

// The 财务月结 rows over a period (start and end days included): one row
// per account in table order, then the "总合计" row of the five figures.
// Bills whose account has no row count nowhere. An account that repeats
// the name of an earlier one keeps empty figures, so its bills are counted
// once. Throws DbError.
QList<ProductFinaSumInfo> BuildFinanceSumRows(Database &db, const QString &start, const QString &end);

// The report's "TitleMonth": "日期范围：<start> 到 <end>".
QString FinanceSumTitle(const QString &start, const QString &end);
