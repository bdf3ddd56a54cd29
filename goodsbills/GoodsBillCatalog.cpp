#include "GoodsBillCatalog.h"

#include <cstring>
#include <iterator>
#include <utility>

#include <QHash>

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
    Search(criteria, [&](struct_button_goodsbill &&line) { lines.push_back(std::move(line)); });
    return lines;
}

namespace {

// The texts of a column that repeats a few values (kinds, dates, companies,
// sellers, remarks), each made once: its rows share the one QString. Rows
// in a row often repeat the value (a day's bills), which is checked first.
class RepeatedTexts
{
public:
    QString operator()(QByteArrayView utf8)
    {
        if (utf8.isNull())
            return QString();
        if (!m_hasLast || m_lastKey.size() != utf8.size()
            || std::memcmp(m_lastKey.constData(), utf8.data(), std::size_t(utf8.size())) != 0) {
            auto found = m_texts.constFind(QByteArray::fromRawData(utf8.data(), utf8.size()));
            if (found == m_texts.cend())
                found = m_texts.insert(utf8.toByteArray(), QString::fromUtf8(utf8));
            m_lastKey = found.key();
            m_lastText = found.value();
            m_hasLast = true;
        }
        return m_lastText;
    }

private:
    QHash<QByteArray, QString> m_texts;
    bool m_hasLast = false;
    QByteArray m_lastKey;
    QString m_lastText;
};

} // namespace

void GoodsBillCatalog::Search(
    const GoodsBillQuery &criteria, const std::function<void(struct_button_goodsbill &&)> &visit)
{
    // Only the columns the list shows: a search may find every bill of five
    // years. The SELECT is built from this list, and each value is read at
    // its name's place in it, the two deposit columns after them; the
    // columns that repeat a few values across bills share their texts.
    using Line = struct_button_goodsbill;
    static const struct
    {
        const char *name;
        QString Line::*field;
        bool repeated;
    } kColumns[] = {{"GUID", &Line::GUID, false}, {"BillCode", &Line::BillCode, false},
        {"BillType", &Line::BillType, true}, {"InputDate", &Line::InputDate, true},
        {"CompanyName", &Line::CompanyName, true}, {"SumMoney", &Line::SumMoney, false},
        {"SellerName", &Line::SellerName, true}, {"BillRemark", &Line::BillRemark, true}};
    constexpr int kDepositAmount = static_cast<int>(std::size(kColumns));
    constexpr int kDepositGuid = kDepositAmount + 1;
    QStringList columns;
    for (const auto &column : kColumns)
        columns << QStringLiteral("l.") + QLatin1String(column.name);

    // Every matching line in the order written, in one pass: a bill is
    // listed at its first matching line, and first_sight() passes over its
    // others before SQLite reads their columns. (Grouping the lines by GUID
    // and then looking up each first line took SQLite twice as long.)
    // first_sight() must see only lines that match, but SQLite tests the
    // parts of a WHERE in an order of its own (those its index covers
    // first): the CASE tests the filters again before it.
    const GoodsBillCondition condition = ConditionFor(criteria, m_side, QStringLiteral("l."));
    const QString firstOfBill = QStringLiteral("first_sight(l.GUID, ?%1)").arg(condition.values.size() + 1);
    const QString where = condition.expression.isEmpty()
        ? firstOfBill
        : QStringLiteral("%1 AND CASE WHEN %1 THEN %2 END").arg(condition.expression, firstOfBill);
    const QString sql = GoodsBillLineReader::SelectResolved(m_side, columns.join(QStringLiteral(", ")))
        + QStringLiteral(" WHERE %1 ORDER BY l.RowNo").arg(where);
    Statement query = m_db.prepare(sql.toUtf8().constData());
    int index = 1;
    for (const GoodsBillCondition::Value &value : condition.values)
        std::visit([&](const auto &v) { query.bind(index++, v); }, value);
    SeenKeys bills;
    query.bind(index, bills);
    RepeatedTexts shared[std::size(kColumns)];
    Line line;
    while (query.next()) {
        for (int i = 0; i < kDepositAmount; ++i) {
            const QByteArrayView utf8 = query.utf8At(i);
            line.*(kColumns[i].field) = kColumns[i].repeated ? shared[i](utf8) : QString::fromUtf8(utf8);
        }
        // The deposit bill found has the GUID the line links to.
        const QString depositGuid = query.textAt(kDepositGuid);
        line.ImprestBillGuid = depositGuid;
        GoodsBillLineReader::ResolveDeposit(line, depositGuid, query.textAt(kDepositAmount));
        visit(std::move(line));
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
