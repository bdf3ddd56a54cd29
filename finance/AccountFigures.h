#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "FinanceTotals.h"

class Database;

// An account's sums on either side of a period: the bills dated before its
// first day, and those dated from its first to its last day (both
// included). A period whose first day lies after its last holds no bill.
struct AccountRangeSums
{
    AccountSums before;
    AccountSums within;

    // Balance at the end of the period: everything before it and in it.
    double closingBalance() const { return before.balance() + within.balance(); }
};

// The date-bounded figures of accounts, summed as FinanceTotals sums the
// all-time balance (income "收入单" less payout "支出单" over both finance
// tables, each amount the number its text begins with), for many accounts
// at once: one grouped query per table. The accounts page's card figures
// and the 财务月结 rows come from here; nothing is written. Every failure
// is a DbError.
class AccountFigures
{
public:
    explicit AccountFigures(Database &db);

    // The sums of each named account around the period first..last
    // ("%04d-%02d-%02d"). Every name asked for has an entry (zeros when no
    // bill names it); a name asked twice is summed once.
    QHash<QString, AccountRangeSums> RangeSums(const QStringList &accounts, const QString &first, const QString &last);

private:
    Database &m_db;
};
