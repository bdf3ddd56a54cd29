#include "PartyBalances.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>

#include "Database.h"
#include "GlobalFunctions.h"
#include "PartyRows.h"
#include "PartySideInfo.h"
#include "ProductRows.h"

namespace {

// Beyond this many names one pass over all bills is cheaper than looking
// each name up; it also keeps the statement far from SQLite's limit on
// bound values.
constexpr int kMaxNamesLookedUp = 100;

// The sums of one party's bills: [0] before the period, [1] in it.
struct BillSums
{
    double goods[2] = {0.0, 0.0};
    double returns[2] = {0.0, 0.0};
    double payments[2] = {0.0, 0.0};
};

// Which part of the period a bill's date falls in: 0 before its first
// day, 1 within it, 2 neither (after the end of a period whose start
// lies after its end). The last day read is the later of the two bounds.
const char *kPartOfPeriod = "CASE WHEN InputDate < ? THEN 0 WHEN InputDate <= ? THEN 1 ELSE 2 END";

QString lastDayRead(const PeriodRange &period)
{
    return std::max(period.StartDate, period.EndDate);
}

} // namespace

PartyBalances::PartyBalances(Database &db, const PartySideInfo &side)
    : m_db(db)
    , m_side(side)
{
}

PartyFigures PartyBalances::Figures(const PartyOpening &party, const PeriodRange &period)
{
    return Figures(std::vector<PartyOpening>{party}, period).front();
}

std::vector<PartyFigures> PartyBalances::Figures(const std::vector<PartyOpening> &parties, const PeriodRange &period)
{
    QStringList names;
    {
        QSet<QString> seen;
        for (const PartyOpening &party : parties) {
            if (!seen.contains(party.name)) {
                seen.insert(party.name);
                names << party.name;
            }
        }
    }
    const bool byName = !names.isEmpty() && names.size() <= kMaxNamesLookedUp;
    const QStringList bounds = {period.StartDate, period.EndDate, lastDayRead(period)};
    QHash<QString, BillSums> sums;

    // Goods: a bill is every line of its GUID, each line repeating the
    // bill's total; the bill's first line stands for it. Grouped by party
    // first so that the party-and-bill index gives the lines in order.
    {
        const QString sql
            = QStringLiteral("SELECT party, part, SUM(CASE WHEN BillType = ? THEN CAST(SumMoney AS REAL) ELSE 0 END) "
                             "AS goods, SUM(CASE WHEN BillType = ? THEN CAST(SumMoney AS REAL) ELSE 0 END) AS returns "
                             "FROM (SELECT MIN(RowNo), CompanyName AS party, %1 AS part, BillType, SumMoney FROM %2 "
                             "WHERE InputDate <= ?%3 GROUP BY CompanyName, GUID) GROUP BY party, part")
                  .arg(QLatin1String(kPartOfPeriod), QLatin1String(m_side.goods.table),
                      byName ? InPlaceholders("CompanyName", static_cast<int>(names.size())) : QString());
        Statement query = PrepareBound(m_db, sql,
            QStringList{m_side.goods.mainBillType, m_side.goods.returnBillType} + bounds
                + (byName ? names : QStringList()));
        while (query.next()) {
            const int part = static_cast<int>(query.integer(QStringLiteral("part")));
            if (part > 1)
                continue;
            BillSums &party = sums[query.text(QStringLiteral("party"))];
            party.goods[part] += query.real(QStringLiteral("goods"));
            party.returns[part] += query.real(QStringLiteral("returns"));
        }
    }
    // Finance bills: one row each.
    {
        const QString sql
            = QStringLiteral("SELECT ClientName AS party, %1 AS part, SUM(CASE BillType WHEN ? THEN CAST(MoneyCount AS "
                             "REAL) WHEN ? THEN -CAST(MoneyCount AS REAL) ELSE 0 END) AS payments FROM %2 WHERE "
                             "InputDate <= ?%3 GROUP BY party, part")
                  .arg(QLatin1String(kPartOfPeriod), QLatin1String(m_side.financeTable),
                      byName ? InPlaceholders("ClientName", static_cast<int>(names.size())) : QString());
        Statement query = PrepareBound(m_db, sql,
            bounds.mid(0, 2) + QStringList{m_side.settlingFinanceType, m_side.reducingFinanceType} + bounds.mid(2)
                + (byName ? names : QStringList()));
        while (query.next()) {
            const int part = static_cast<int>(query.integer(QStringLiteral("part")));
            if (part > 1)
                continue;
            sums[query.text(QStringLiteral("party"))].payments[part] += query.real(QStringLiteral("payments"));
        }
    }

    std::vector<PartyFigures> figures;
    figures.reserve(parties.size());
    for (const PartyOpening &party : parties) {
        const BillSums bills = sums.value(party.name);
        PartyFigures f;
        f.goods = bills.goods[1];
        f.returns = bills.returns[1];
        f.payments = bills.payments[1];
        f.periodArrears = f.goods - f.returns - f.payments;
        f.priorArrears = bills.goods[0] - bills.returns[0] + StrToDouble(party.beginArrears) - bills.payments[0];
        f.totalArrears = f.periodArrears + f.priorArrears;
        figures.push_back(f);
    }
    return figures;
}

std::vector<struct_button_goodsbill> PartyBalances::PeriodLines(const QString &name, const PeriodRange &period)
{
    Statement query = PrepareBound(m_db,
        QStringLiteral("SELECT * FROM %1 WHERE CompanyName = ? AND InputDate >= ? AND "
                       "InputDate <= ? ORDER BY RowNo")
            .arg(QLatin1String(m_side.goods.table)),
        {name, period.StartDate, period.EndDate});
    std::vector<struct_button_goodsbill> lines;
    while (query.next())
        lines.push_back(ReadGoodsLine(query, m_side));
    return lines;
}

std::vector<struct_button_goodsbill> PartyBalances::FinanceRows(const QString &name, const PeriodRange &period)
{
    Statement query = PrepareBound(m_db,
        QStringLiteral("SELECT InputDate, BillCode, MoneyCount, BillType FROM %1 WHERE "
                       "ClientName = ? AND InputDate >= ? AND InputDate <= ? ORDER BY RowNo")
            .arg(QLatin1String(m_side.financeTable)),
        {name, period.StartDate, period.EndDate});
    std::vector<struct_button_goodsbill> rows;
    while (query.next()) {
        struct_button_goodsbill row;
        row.InputDate = query.text(QStringLiteral("InputDate"));
        row.BillCode = query.text(QStringLiteral("BillCode"));
        row.BillType = query.text(QStringLiteral("BillType"));
        row.ProductPrice = m_side.SignedFinanceText(row.BillType, query.text(QStringLiteral("MoneyCount")));
        rows.push_back(row);
    }
    return rows;
}
