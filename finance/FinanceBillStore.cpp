#include "FinanceBillStore.h"

#include "Database.h"
#include "GlobalFunctions.h"
#include "RecordColumns.h"

namespace {

struct DateCondition
{
    QString where;
    QStringList values;
};

// Dates are stored as "%04d-%02d-%02d", so a month is a range of texts.
DateCondition conditionFor(const FinanceBillFilter &filter)
{
    switch (filter.range) {
    case BillDateDay:
        return {QStringLiteral(" WHERE InputDate = ?"), {filter.date}};
    case BillDateMonth:
        return {QStringLiteral(" WHERE InputDate >= ? AND InputDate <= ?"),
                {MonthFirstDay(filter.date), MonthLastDay(filter.date)}};
    case BillDateAll:
        break;
    }
    return {};
}

Statement prepareText(Database &db, const QString &sql)
{
    return db.prepare(sql.toUtf8().constData());
}

} // namespace

FinanceBillStore::FinanceBillStore(Database &db, const FinanceBillSide &side)
    : m_db(db)
    , m_side(side)
{
}

bool FinanceBillStore::InsertBill(const struct_button_financebill &bill)
{
    if (bill.GUID.isEmpty())
        return false;
    m_db.insertRow(QString::fromLatin1(m_side.table), InsertColumns(bill));
    return true;
}

int FinanceBillStore::UpdateBill(const struct_button_financebill &bill)
{
    if (bill.GUID.isEmpty())
        return 0;
    Statement update =
        prepareText(m_db, QStringLiteral("UPDATE %1 SET BillCode = ?, AccountName = ?, InputDate = ?, ClientName = ?, "
                                         "MoneyCount = ?, IncomeType = ?, MoneyType = ?, Voucher = ?, SellerName = ?, "
                                         "BillRemark = ?, BillType = ? WHERE GUID = ?")
                              .arg(QLatin1String(m_side.table)));
    update.bindAll(bill.BillCode, bill.AccountName, bill.InputDate, bill.ClientName, bill.MoneyCount, bill.IncomeType,
                   bill.MoneyType, bill.Voucher, bill.SellerName, bill.BillRemark, bill.BillType, bill.GUID);
    update.run();
    return m_db.changes();
}

int FinanceBillStore::DeleteBill(const QString &guid)
{
    if (guid.isEmpty())
        return 0;
    Statement remove =
        prepareText(m_db, QStringLiteral("DELETE FROM %1 WHERE GUID = ?").arg(QLatin1String(m_side.table)));
    remove.bind(1, guid);
    remove.run();
    return m_db.changes();
}

std::optional<struct_button_financebill> FinanceBillStore::BillByGuid(const QString &guid)
{
    if (guid.isEmpty())
        return std::nullopt;
    Statement query = prepareText(
        m_db,
        QStringLiteral("SELECT * FROM %1 WHERE GUID = ? ORDER BY RowNo LIMIT 1").arg(QLatin1String(m_side.table)));
    query.bind(1, guid);
    if (!query.next())
        return std::nullopt;
    return RecordFromRow<struct_button_financebill>(query);
}

int FinanceBillStore::CountBills(const FinanceBillFilter &filter)
{
    const DateCondition condition = conditionFor(filter);
    Statement query = prepareText(
        m_db, QStringLiteral("SELECT COUNT(*) AS n FROM %1%2").arg(QLatin1String(m_side.table), condition.where));
    int index = 1;
    for (const QString &value : condition.values)
        query.bind(index++, value);
    return query.next() ? static_cast<int>(query.integer(QStringLiteral("n"))) : 0;
}

QList<struct_button_financebill> FinanceBillStore::BillsPage(const FinanceBillFilter &filter, int first, int limit)
{
    const DateCondition condition = conditionFor(filter);
    Statement query = prepareText(m_db, QStringLiteral("SELECT * FROM %1%2 ORDER BY RowNo LIMIT ? OFFSET ?")
                                            .arg(QLatin1String(m_side.table), condition.where));
    int index = 1;
    for (const QString &value : condition.values)
        query.bind(index++, value);
    query.bind(index, limit).bind(index + 1, first);
    QList<struct_button_financebill> bills;
    while (query.next())
        bills << RecordFromRow<struct_button_financebill>(query);
    return bills;
}
