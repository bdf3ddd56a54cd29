#include "GoodsBillCatalog.h"

#include <iterator>
#include <utility>

#include "Database.h"
#include "GoodsBillLineReader.h"
#include "GoodsBillQuery.h"

GoodsBillCatalog::GoodsBillCatalog(Database &db, const GoodsBillSide &side)
    : m_db(db)
    , m_side(side)
{
}

std::vector<GoodsBillCatalog::BillKey> GoodsBillCatalog::BillKeys(const QString &firstDay, const QString &lastDay)
{
    const bool all = firstDay.isEmpty() && lastDay.isEmpty();
    const QString sql = QStringLiteral("SELECT GUID, MIN(RowNo) AS FirstRow FROM %1%2 GROUP BY GUID ORDER BY FirstRow")
                            .arg(QLatin1String(m_side.table),
                                all ? QString() : QStringLiteral(" WHERE InputDate >= ? AND InputDate <= ?"));
    Statement query = m_db.prepare(sql.toUtf8().constData());
    if (!all)
        query.bindAll(firstDay, lastDay);
    std::vector<BillKey> keys;
    while (query.next())
        keys.push_back(BillKey{query.textAt(0), query.integer(QStringLiteral("FirstRow"))});
    return keys;
}

GoodsBillLines GoodsBillCatalog::FirstLines(const std::vector<BillKey> &keys)
{
    Statement query = m_db.prepare(
        (GoodsBillLineReader::SelectResolved(m_side) + QStringLiteral(" WHERE l.RowNo = ? AND l.GUID = ?"))
            .toUtf8()
            .constData());
    GoodsBillLines lines;
    lines.reserve(keys.size());
    for (const BillKey &key : keys) {
        query.reset();
        query.bind(1, key.firstRow);
        query.bind(2, key.guid);
        if (query.next())
            lines.push_back(GoodsBillLineReader::ReadResolved(query));
    }
    return lines;
}

GoodsBillLines GoodsBillCatalog::Search(const GoodsBillQuery &criteria)
{
    GoodsBillLines lines;
    Search(criteria, [&](const struct_button_goodsbill &line) { lines.push_back(line); });
    return lines;
}

void GoodsBillCatalog::Search(
    const GoodsBillQuery &criteria, const std::function<void(const struct_button_goodsbill &)> &visit)
{
    // Only the columns the list shows: a search may find every bill of five
    // years. The SELECT is built from this list, and each value is read at
    // its name's place in it, the two deposit columns after them.
    using Line = struct_button_goodsbill;
    static const std::pair<const char *, QString Line::*> kColumns[]
        = {{"BillCode", &Line::BillCode}, {"BillType", &Line::BillType}, {"InputDate", &Line::InputDate},
            {"CompanyName", &Line::CompanyName}, {"SumMoney", &Line::SumMoney}, {"SellerName", &Line::SellerName},
            {"BillRemark", &Line::BillRemark}, {"GUID", &Line::GUID}, {"ImprestBillGuid", &Line::ImprestBillGuid}};
    constexpr int kDepositAmount = static_cast<int>(std::size(kColumns));
    constexpr int kDepositGuid = kDepositAmount + 1;
    QStringList columns;
    for (const auto &column : kColumns)
        columns << QStringLiteral("l.") + QLatin1String(column.first);

    const GoodsBillCondition condition = ConditionFor(criteria, m_side);
    // The first matching line of each bill, then only those lines are read
    // with their deposits.
    // Without filters the GUID index walks the bills in order; with them,
    // SQLite would still walk it and look up every line at random, which
    // "+GUID" stops: the filters' own index or one pass over the table,
    // then the grouping.
    const QString grouping = condition.whereClause.isEmpty() ? QStringLiteral("GUID") : QStringLiteral("+GUID");
    const QString sql = GoodsBillLineReader::SelectResolved(m_side, columns.join(QStringLiteral(", ")))
        + QStringLiteral(" WHERE l.RowNo IN (SELECT MIN(RowNo) FROM %1%2 GROUP BY %3) ORDER BY l.RowNo")
              .arg(QLatin1String(m_side.table), condition.whereClause, grouping);
    Statement query = m_db.prepare(sql.toUtf8().constData());
    int index = 1;
    for (const GoodsBillCondition::Value &value : condition.values)
        std::visit([&](const auto &v) { query.bind(index++, v); }, value);
    Line line;
    while (query.next()) {
        for (int i = 0; i < kDepositAmount; ++i)
            line.*(kColumns[i].second) = query.textAt(i);
        line.ImprestBillGuid = query.textAt(kDepositGuid);
        GoodsBillLineReader::ResolveDeposit(line, line.ImprestBillGuid, query.textAt(kDepositAmount));
        visit(line);
    }
}

QStringList GoodsBillCatalog::CompanyNames()
{
    const bool clients = m_side.party == PartyClient;
    Statement query = m_db.prepare(clients ? "SELECT ClientName AS Name FROM tbl_clientmgr ORDER BY RowNo"
                                           : "SELECT ProviderName AS Name FROM tbl_ProviderMgr ORDER BY RowNo");
    QStringList names;
    while (query.next())
        names << query.text(QStringLiteral("Name"));
    return names;
}
