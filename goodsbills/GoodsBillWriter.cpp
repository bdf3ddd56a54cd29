#include "GoodsBillWriter.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "Database.h"
#include "GlobalFunctions.h"
#include "GoodsBillStore.h"

namespace {

struct ProductKey
{
    QString code;
    QString name;
    QString spec;

    bool operator==(const ProductKey &) const = default;
};

// The net stock change of each product key, in the order the keys first
// appear: a bill has a handful of lines, so a plain list is enough.
class StockChanges
{
public:
    // Adds the lines' counts, each with its bill kind's sign, times factor
    // (+1 for lines written, -1 for lines taken away).
    void add(const GoodsBillSide &side, const GoodsBillLines &lines, int factor)
    {
        for (const struct_button_goodsbill &line : lines) {
            const int sign = side.StockSign(line.BillType);
            if (sign == 0)
                continue;
            const ProductKey key{line.ProductCode, line.ProductName, line.ProductSpec};
            const double change = factor * sign * StrToDouble(line.ProductAmount);
            auto found = std::find_if(
                m_changes.begin(), m_changes.end(), [&](const auto &entry) { return entry.first == key; });
            if (found == m_changes.end())
                m_changes.emplace_back(key, change);
            else
                found->second += change;
        }
    }

    // Moves every product row of each key from its own count; answers the
    // keys that had to move but have no product row.
    QStringList apply(Database &db) const
    {
        QStringList missing;
        Statement rows = db.prepare("SELECT RowNo, ProductStockCount FROM tbl_StoreMgr "
                                    "WHERE ProductName = ? AND ProductSpec = ? AND ProductCode = ? ORDER BY RowNo");
        Statement update = db.prepare("UPDATE tbl_StoreMgr SET ProductStockCount = ? WHERE RowNo = ?");
        for (const auto &[key, change] : m_changes) {
            // Counts are kept to cents: what cancels out to below that
            // moves nothing.
            if (std::fabs(change) < 0.000001)
                continue;
            rows.reset();
            rows.bindAll(key.name, key.spec, key.code);
            std::vector<std::pair<std::int64_t, QString>> found;
            while (rows.next())
                found.emplace_back(
                    rows.integer(QStringLiteral("RowNo")), rows.text(QStringLiteral("ProductStockCount")));
            if (found.empty()) {
                missing << (key.spec.isEmpty() ? key.name : QStringLiteral("%1（%2）").arg(key.name, key.spec));
                continue;
            }
            for (const auto &[rowNo, count] : found) {
                update.reset();
                update.bind(1, DoubleToStr(StrToDouble(count) + change));
                update.bind(2, rowNo);
                update.run();
            }
        }
        return missing;
    }

private:
    std::vector<std::pair<ProductKey, double>> m_changes;
};

void requireBill(const GoodsBillLines &lines, const char *what)
{
    if (lines.empty() || lines.front().GUID.isEmpty())
        throw DbError(
            SQLITE_MISUSE, QStringLiteral("a goods bill needs its lines and its GUID"), QString::fromLatin1(what));
}

} // namespace

GoodsBillWriter::GoodsBillWriter(Database &db, const GoodsBillSide &side)
    : m_db(db)
    , m_side(side)
{
}

GoodsBillWriter::Outcome GoodsBillWriter::Add(const GoodsBillLines &lines)
{
    requireBill(lines, "adding a goods bill");
    return write(lines.front().GUID, &lines, false);
}

GoodsBillWriter::Outcome GoodsBillWriter::Change(const GoodsBillLines &lines)
{
    requireBill(lines, "changing a goods bill");
    return write(lines.front().GUID, &lines, true);
}

GoodsBillWriter::Outcome GoodsBillWriter::Delete(const QString &guid)
{
    if (guid.isEmpty()) {
        Outcome outcome;
        outcome.found = false;
        return outcome;
    }
    return write(guid, nullptr, true);
}

GoodsBillWriter::Outcome GoodsBillWriter::write(const QString &guid, const GoodsBillLines *lines, bool replacesStored)
{
    Outcome outcome;
    Transaction transaction(m_db);
    GoodsBillStore store(m_db, m_side);
    StockChanges changes;
    if (replacesStored) {
        // The stored lines are read inside the transaction: they are what
        // the stock moved by when they were written.
        const GoodsBillLines stored = store.LoadStoredLines(guid);
        if (stored.empty()) {
            // Deleted meanwhile: writing it again would bring back a bill
            // the user deleted.
            outcome.found = false;
            return outcome;
        }
        store.DeleteBill(guid);
        changes.add(m_side, stored, -1);
    }
    if (lines) {
        store.AddBill(*lines);
        changes.add(m_side, *lines, 1);
    }
    outcome.missingProducts = changes.apply(m_db);
    transaction.commit();
    return outcome;
}

QString BillGoneNote()
{
    return QStringLiteral("该单据已不存在，可能已被删除。");
}

bool ShowWriteOutcome(const GoodsBillWriter::Outcome &outcome, const QString &success)
{
    if (!outcome.found) {
        ShowInfoMessage(BillGoneNote());
        return false;
    }
    QStringList sentences;
    if (!success.isEmpty())
        sentences << success;
    if (!outcome.missingProducts.isEmpty())
        sentences << QStringLiteral("以下货品在仓库中没有记录，库存没有变动：%1。")
                         .arg(outcome.missingProducts.join(QStringLiteral("、")));
    if (!sentences.isEmpty())
        ShowInfoMessage(sentences.join(QLatin1Char('\n')));
    return true;
}
