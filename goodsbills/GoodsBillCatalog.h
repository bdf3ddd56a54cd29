#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

#include "GoodsBillLines.h"

class Database;
struct GoodsBillQuery;

// What the goods-bill pages and the report page read of one side's bills:
// the bills of a period, their first lines for the tiles, the bills a
// search finds, and the company names the search offers. Reads only; it
// opens no window and every failure is a DbError.
class GoodsBillCatalog
{
public:
    // A bill as the pages count it: its GUID and its first line's row.
    struct BillKey
    {
        QString guid;
        std::int64_t firstRow = 0;

        bool operator==(const BillKey &) const = default;
    };

    GoodsBillCatalog(Database &db, const GoodsBillSide &side);

    // The bills dated firstDay to lastDay (both included; both empty: every
    // bill), in the order they were written, so the newest comes last.
    std::vector<BillKey> BillKeys(const QString &firstDay, const QString &lastDay);
    // The first line of each bill, its deposit resolved, in the keys'
    // order; a bill deleted meanwhile is left out.
    GoodsBillLines FirstLines(const std::vector<BillKey> &keys);
    // One line per bill with a line that matches the query, bills in the
    // order they were written, holding only the header fields the report
    // page lists: code, kind, date, company, total, resolved deposit,
    // seller, remark and GUID.
    GoodsBillLines Search(const GoodsBillQuery &query);
    // The same lines handed to visit one at a time, so that a search over
    // years of bills holds no list of its own; visit may take the line's
    // texts.
    void Search(const GoodsBillQuery &query, const std::function<void(struct_button_goodsbill &&)> &visit);
    // The side's party names in the order they were entered.
    QStringList CompanyNames();

private:
    Database &m_db;
    const GoodsBillSide &m_side;
};
