#include "FinanceTotals.h"

#include <QStringList>

#include "Database.h"
#include "GlobalFunctions.h"

namespace {

Statement prepareText(Database &db, const QString &sql)
{
    return db.prepare(sql.toUtf8().constData());
}

// Amounts are texts; CAST reads the number a text begins with (0 when
// there is none), as the program reads stored amounts everywhere.
AccountSums accountSumsIn(Database &db, const char *table, const QString &accountName)
{
    Statement query = prepareText(
        db, QStringLiteral("SELECT TOTAL(CASE WHEN BillType = ?2 THEN CAST(MoneyCount AS REAL) END) AS Income, "
                           "TOTAL(CASE WHEN BillType = ?3 THEN CAST(MoneyCount AS REAL) END) AS Payout "
                           "FROM %1 WHERE AccountName = ?1")
                .arg(QLatin1String(table)));
    query.bindAll(accountName, kIncomeBill, kPayoutBill);
    AccountSums sums;
    if (query.next()) {
        sums.income = query.real(QStringLiteral("Income"));
        sums.payout = query.real(QStringLiteral("Payout"));
    }
    return sums;
}

void appendOnce(QStringList &names, const QString &name)
{
    if (!name.isEmpty() && !names.contains(name))
        names << name;
}

} // namespace

FinanceTotals::FinanceTotals(Database &db)
    : m_db(db)
{
}

double FinanceTotals::PartySumIncome(const FinanceBillSide &side, const QString &partyName)
{
    Statement query = prepareText(
        m_db, QStringLiteral("SELECT TOTAL(CAST(MoneyCount AS REAL)) AS Income FROM %1 WHERE ClientName = ? "
                             "AND BillType = ?")
                  .arg(QLatin1String(side.table)));
    query.bindAll(partyName, kIncomeBill);
    return query.next() ? query.real(QStringLiteral("Income")) : 0.0;
}

AccountSums FinanceTotals::AccountTotals(const QString &accountName)
{
    const AccountSums sales = accountSumsIn(m_db, FinanceBillSide::Sales().table, accountName);
    const AccountSums purchase = accountSumsIn(m_db, FinanceBillSide::Purchase().table, accountName);
    return AccountSums{sales.income + purchase.income, sales.payout + purchase.payout};
}

QString FinanceTotals::RecalcPartySumIncome(const FinanceBillSide &side, const QString &partyName)
{
    if (partyName.isEmpty())
        return QString();
    const QString text = DoubleToStr(PartySumIncome(side, partyName));
    Statement update = prepareText(m_db, QStringLiteral("UPDATE %1 SET SumIncome = ? WHERE %2 = ?")
                                             .arg(QLatin1String(side.partyTable), QLatin1String(side.partyNameColumn)));
    update.bindAll(text, partyName);
    update.run();
    return text;
}

QString FinanceTotals::RecalcAccountBalance(const QString &accountName)
{
    if (accountName.isEmpty())
        return QString();
    const QString text = DoubleToStr(AccountTotals(accountName).balance());
    Statement update = m_db.prepare("UPDATE tbl_AccountMgr SET AccountBalance = ? WHERE AccountName = ?");
    update.bindAll(text, accountName);
    update.run();
    return text;
}

void FinanceTotals::RecalcAfterWrite(const FinanceBillSide &side, const struct_button_financebill *before,
                                     const struct_button_financebill *after)
{
    QStringList parties;
    QStringList accounts;
    for (const struct_button_financebill *bill : {before, after}) {
        if (!bill)
            continue;
        appendOnce(parties, bill->ClientName);
        appendOnce(accounts, bill->AccountName);
    }
    for (const QString &party : parties)
        RecalcPartySumIncome(side, party);
    for (const QString &account : accounts)
        RecalcAccountBalance(account);
}
