#include "GoodsBillStore.h"

#include <optional>

#include "Database.h"
#include "FinanceBillSide.h"
#include "FinanceBillStore.h"
#include "GoodsBillLineReader.h"
#include "RecordColumns.h"

GoodsBillStore::GoodsBillStore(Database &db, const GoodsBillSide &side)
    : m_db(db)
    , m_side(side)
{
}

void GoodsBillStore::AddBill(const GoodsBillLines &lines)
{
    const QString table = QLatin1String(m_side.table);
    for (const struct_button_goodsbill &line : lines) {
        if (m_side.party == PartyProvider)
            m_db.insertRow(table, InsertColumns(ToPurchaseLayout(line)));
        else
            m_db.insertRow(table, InsertColumns(line));
    }
}

GoodsBillLines GoodsBillStore::loadLines(const QString &sql, const QString &guid, bool resolveDeposits)
{
    Statement query = m_db.prepare(sql.toUtf8().constData());
    query.bind(1, guid);
    GoodsBillLines lines;
    while (query.next())
        lines.push_back(
            resolveDeposits ? GoodsBillLineReader::ReadResolved(query) : RecordFromRow<struct_button_goodsbill>(query));
    return lines;
}

GoodsBillLines GoodsBillStore::LoadBill(const QString &guid)
{
    return loadLines(
        GoodsBillLineReader::SelectResolved(m_side) + QStringLiteral(" WHERE l.GUID = ? ORDER BY l.RowNo"), guid, true);
}

GoodsBillLines GoodsBillStore::LoadStoredLines(const QString &guid)
{
    return loadLines(
        QStringLiteral("SELECT * FROM %1 WHERE GUID = ? ORDER BY RowNo").arg(QLatin1String(m_side.table)), guid, false);
}

int GoodsBillStore::DeleteBill(const QString &guid)
{
    Statement remove = m_db.prepare(
        QStringLiteral("DELETE FROM %1 WHERE GUID = ?").arg(QLatin1String(m_side.table)).toUtf8().constData());
    remove.bind(1, guid);
    remove.run();
    return m_db.changes();
}

bool GoodsBillStore::LoadImprestBill(const QString &guid, struct_button_financebill &record)
{
    // A deposit is an ordinary finance bill of the side.
    const std::optional<struct_button_financebill> bill =
        FinanceBillStore(m_db, FinanceBillSide::For(m_side.party)).BillByGuid(guid);
    record = bill.value_or(struct_button_financebill());
    if (!bill)
        record.MoneyCount = QStringLiteral("0");
    return bill.has_value();
}
