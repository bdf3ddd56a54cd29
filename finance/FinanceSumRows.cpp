#include "FinanceSumRows.h"

#include <QSet>
#include <QStringList>

#include "AccountFigures.h"
#include "AccountStore.h"
#include "GlobalFunctions.h"

QList<ProductFinaSumInfo> BuildFinanceSumRows(Database &db, const QString &start, const QString &end)
{
    const QList<struct_button_account> accounts = AccountStore(db).AllAccounts();
    QStringList names;
    for (const struct_button_account &account : accounts)
        names << account.AccountName;
    const QHash<QString, AccountRangeSums> sums = AccountFigures(db).RangeSums(names, start, end);

    QList<ProductFinaSumInfo> rows;
    double before = 0.0;
    double income = 0.0;
    double payout = 0.0;
    double profit = 0.0;
    double now = 0.0;
    QSet<QString> counted;
    for (const QString &name : std::as_const(names)) {
        ProductFinaSumInfo row;
        row.AccountName = name;
        if (!counted.contains(name)) {
            counted.insert(name);
            const AccountRangeSums account = sums.value(name);
            const double rowBefore = account.before.balance();
            const double rowProfit = account.within.balance();
            row.BalanceBefore = DoubleToStr(rowBefore);
            row.PeriodIncome = DoubleToStr(account.within.income);
            row.PeriodPayout = DoubleToStr(account.within.payout);
            row.PeriodProfit = DoubleToStr(rowProfit);
            row.BalanceNow = DoubleToStr(account.closingBalance());
            before += rowBefore;
            income += account.within.income;
            payout += account.within.payout;
            profit += rowProfit;
            now += account.closingBalance();
        }
        rows << row;
    }
    rows << ProductFinaSumInfo {QStringLiteral("总合计"),
                                DoubleToStr(before),
                                DoubleToStr(income),
                                DoubleToStr(payout),
                                DoubleToStr(profit),
                                DoubleToStr(now),
                                QString()};
    return rows;
}

QString FinanceSumTitle(const QString &start, const QString &end)
{
    return QStringLiteral("日期范围：%1 到 %2").arg(start, end);
}
