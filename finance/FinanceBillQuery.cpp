#include "FinanceBillQuery.h"

#include <QStringList>

#include "Database.h"
#include "FinanceBillSide.h"
#include "GlobalFunctions.h"
#include "RecordColumns.h"

namespace {

const QString kAll = QStringLiteral("所有");

// The WHERE part shared by every table of a query, and its values.
struct Condition
{
    QStringList parts;
    QVariantList values;

    void equals(const char *column, const std::optional<QString> &value, bool allMeansNone)
    {
        if (!value || (allMeansNone && *value == kAll))
            return;
        parts << QStringLiteral("%1 = ?").arg(QLatin1String(column));
        values << *value;
    }
};

Condition conditionOf(const FinanceBillQuery &query)
{
    Condition condition;
    condition.equals("ClientName", query.partyName, true);
    if (query.billType == FinanceBillQuery::IncomeBills)
        condition.equals("BillType", QStringLiteral("收入单"), false);
    else if (query.billType == FinanceBillQuery::PayoutBills)
        condition.equals("BillType", QStringLiteral("支出单"), false);
    condition.equals("AccountName", query.account, true);
    condition.equals("IncomeType", query.incomeType, true);
    condition.equals("MoneyType", query.moneyType, true);
    condition.equals("Voucher", query.voucher, true);
    if (query.dates) {
        condition.parts << QStringLiteral("InputDate >= ? AND InputDate <= ?");
        condition.values << query.dates->first << query.dates->last;
    }
    if (query.amounts) {
        // Amounts are texts; compared as texts "99.5" would come after "100".
        condition.parts << QStringLiteral("CAST(MoneyCount AS REAL) BETWEEN ? AND ?");
        condition.values << query.amounts->low << query.amounts->high;
    }
    condition.equals("BillRemark", query.remark, false);
    condition.equals("SellerName", query.seller, false);
    condition.equals("BillCode", query.billCode, false);
    return condition;
}

} // namespace

QList<PartySide> FinanceBillQuery::TablesOfSide(int billListSide)
{
    switch (billListSide) {
    case BillListProvider:
        return {PartyProvider};
    case BillListClient:
        return {PartyClient};
    default:
        return {PartyProvider, PartyClient};
    }
}

FinanceBillQuery FinanceBillQuery::AccountBills(const QString &account, const std::optional<DateRange> &dates)
{
    FinanceBillQuery query;
    query.tables = {PartyClient, PartyProvider};
    query.account = account;
    query.dates = dates;
    return query;
}

FinanceBillQuery::DateRange FinanceBillQuery::MonthOf(const QString &date)
{
    return DateRange {MonthFirstDay(date), MonthLastDay(date)};
}

FinanceBillQuery::DateRange FinanceBillQuery::YearOf(const QString &date)
{
    YmdInfo ymd;
    GetYmdByDate(date, ymd);
    return DateRange {DateText(ymd.nYear, 1, 1), DateText(ymd.nYear, 12, 31)};
}

std::vector<FinanceBillStatement> FinanceBillStatements(const FinanceBillQuery &query)
{
    const Condition condition = conditionOf(query);
    const QString where = condition.parts.isEmpty()
        ? QString()
        : QStringLiteral(" WHERE ") + condition.parts.join(QStringLiteral(" AND "));
    std::vector<FinanceBillStatement> statements;
    for (PartySide table : query.tables) {
        FinanceBillStatement statement;
        statement.table = table;
        statement.sql = QStringLiteral("SELECT * FROM %1%2 ORDER BY RowNo")
                            .arg(QLatin1String(FinanceBillSide::For(table).table), where);
        statement.values = condition.values;
        statements.push_back(std::move(statement));
    }
    return statements;
}

QList<FinanceBillListRow> FindFinanceBills(Database &db, const FinanceBillQuery &query)
{
    QList<FinanceBillListRow> rows;
    for (const FinanceBillStatement &statement : FinanceBillStatements(query)) {
        Statement select = db.prepare(statement.sql.toUtf8().constData());
        for (int i = 0; i < statement.values.size(); ++i) {
            const QVariant &value = statement.values.at(i);
            if (value.typeId() == QMetaType::Double)
                select.bind(i + 1, value.toDouble());
            else
                select.bind(i + 1, value.toString());
        }
        while (select.next()) {
            FinanceBillListRow row;
            row.table = statement.table;
            ReadColumns(select, row.bill);
            rows << row;
        }
    }
    return rows;
}
