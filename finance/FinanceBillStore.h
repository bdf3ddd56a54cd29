#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "FinanceBillSide.h"
#include "RecordTypes.h"
#include "SharedTypes.h"

class Database;

// Said when a bill was changed or deleted elsewhere since it was listed.
inline const QString kFinanceBillGoneMessage = QStringLiteral("该财务单据已不存在，可能已被删除。");

// Which bills a finance page lists: all of them, those of one day or those
// of the month of a date ("%04d-%02d-%02d").
struct FinanceBillFilter
{
    BillDateFilter range = BillDateAll;
    QString date;
};

// The one code that adds, finds, lists, changes and deletes the rows of the
// two finance-bill tables; the side says which. Bills travel in the sales
// layout on both sides (convert with ToSalesLayout / ToPurchaseLayout).
// Rows are found by GUID only; a bill without a GUID is never written and
// never found. Listings are in table order (RowNo).
//
// The store opens no transaction and no window: its writes run inside the
// caller's transaction (FinanceBillWriter's), because Transaction does not
// nest. Every failure is a DbError.
class FinanceBillStore
{
public:
    FinanceBillStore(Database &db, const FinanceBillSide &side);

    const FinanceBillSide &side() const { return m_side; }

    // Adds the row with all twelve columns. False (nothing written) for a
    // bill without a GUID.
    bool InsertBill(const struct_button_financebill &bill);
    // Rewrites every column but GUID of the row with the bill's GUID.
    // Answers the rows changed: 0 when there is no such row.
    int UpdateBill(const struct_button_financebill &bill);
    // Answers the rows deleted: 0 when there is no such row.
    int DeleteBill(const QString &guid);
    // The stored bill, or nothing when there is no row with that GUID.
    std::optional<struct_button_financebill> BillByGuid(const QString &guid);

    // The bills the filter selects: how many, and `limit` of them from
    // `first` on.
    int CountBills(const FinanceBillFilter &filter);
    QList<struct_button_financebill> BillsPage(const FinanceBillFilter &filter, int first, int limit);

private:
    Database &m_db;
    const FinanceBillSide &m_side;
};
