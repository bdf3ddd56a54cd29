#pragma once

#include <QString>

#include "FinanceBillSide.h"
#include "RecordTypes.h"

class Database;

// Income and payout of an account: the amounts of its "收入单" and of its
// "支出单", each amount read as the number its text begins with.
struct AccountSums
{
    double income = 0.0;
    double payout = 0.0;

    double balance() const { return income - payout; }
};

// The one summing code of the figures that follow the finance bills, used
// after every write of a bill and by the accounts page:
// - a client's SumIncome (tbl_clientmgr) is the client's "收入单" amounts in
//   tbl_FinanceBill_income; a provider's SumIncome (tbl_ProviderMgr) those
//   in tbl_FinanceBill_income_provider. A side never writes the other
//   side's party table: a client may bear a provider's name.
// - an account's AccountBalance is its "收入单" less its "支出单" over both
//   finance tables, all dates.
// Deposits of goods bills count only through their finance bills: the
// goods-bill tables are never read. Figures are written as DoubleToStr
// texts: two decimals, half a cent rounded away from zero on the decimal
// value meant.
//
// It reads and writes inside the caller's transaction and never opens one.
// Every failure is a DbError.
class FinanceTotals
{
public:
    explicit FinanceTotals(Database &db);

    double PartySumIncome(const FinanceBillSide &side, const QString &partyName);
    AccountSums AccountTotals(const QString &accountName);

    // Recompute and write the figure of every row with that name; answer
    // the text written. An empty name writes nothing and answers "".
    QString RecalcPartySumIncome(const FinanceBillSide &side, const QString &partyName);
    QString RecalcAccountBalance(const QString &accountName);

    // After a bill of the side was added, changed or deleted: the figures
    // of the party and the account the bill named before the write and
    // those it names after it (either may be null), each once.
    void RecalcAfterWrite(const FinanceBillSide &side, const struct_button_financebill *before,
                          const struct_button_financebill *after);

private:
    Database &m_db;
};
