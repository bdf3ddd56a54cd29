#include "AccountFigures.h"

#include "Database.h"
#include "FinanceBillSide.h"

namespace {

// SQLite takes at most 32,766 bound values in one statement.
constexpr qsizetype kNamesPerQuery = 500;

void addInto(AccountSums &to, double income, double payout)
{
    to.income += income;
    to.payout += payout;
}

} // namespace

AccountFigures::AccountFigures(Database &db)
    : m_db(db)
{
}

QHash<QString, AccountRangeSums> AccountFigures::RangeSums(const QStringList &accounts, const QString &first,
                                                           const QString &last)
{
    QHash<QString, AccountRangeSums> sums;
    QStringList names;
    for (const QString &name : accounts) {
        if (!sums.contains(name)) {
            sums.insert(name, AccountRangeSums());
            names << name;
        }
    }
    for (qsizetype start = 0; start < names.size(); start += kNamesPerQuery) {
        const QStringList chunk = names.mid(start, kNamesPerQuery);
        QStringList placeholders;
        for (qsizetype i = 0; i < chunk.size(); ++i)
            placeholders << QStringLiteral("?%1").arg(i + 5);
        for (const FinanceBillSide *side : {&FinanceBillSide::Sales(), &FinanceBillSide::Purchase()}) {
            // ?1 income kind, ?2 payout kind, ?3 first day, ?4 last day.
            const QString sql = QStringLiteral("SELECT AccountName, "
                                               "TOTAL(CASE WHEN InputDate < ?3 AND BillType = ?1 THEN CAST(MoneyCount "
                                               "AS REAL) END) AS BeforeIncome, "
                                               "TOTAL(CASE WHEN InputDate < ?3 AND BillType = ?2 THEN CAST(MoneyCount "
                                               "AS REAL) END) AS BeforePayout, "
                                               "TOTAL(CASE WHEN InputDate >= ?3 AND InputDate <= ?4 AND BillType = ?1 "
                                               "THEN CAST(MoneyCount AS REAL) END) AS WithinIncome, "
                                               "TOTAL(CASE WHEN InputDate >= ?3 AND InputDate <= ?4 AND BillType = ?2 "
                                               "THEN CAST(MoneyCount AS REAL) END) AS WithinPayout "
                                               "FROM %1 WHERE AccountName IN (%2) GROUP BY AccountName")
                                    .arg(QLatin1String(side->table), placeholders.join(QLatin1Char(',')));
            Statement query = m_db.prepare(sql.toUtf8().constData());
            query.bindAll(kIncomeBill, kPayoutBill, first, last);
            for (qsizetype i = 0; i < chunk.size(); ++i)
                query.bind(static_cast<int>(i + 5), chunk.at(i));
            while (query.next()) {
                AccountRangeSums &account = sums[query.text(QStringLiteral("AccountName"))];
                addInto(account.before, query.real(QStringLiteral("BeforeIncome")),
                        query.real(QStringLiteral("BeforePayout")));
                addInto(account.within, query.real(QStringLiteral("WithinIncome")),
                        query.real(QStringLiteral("WithinPayout")));
            }
        }
    }
    return sums;
}
