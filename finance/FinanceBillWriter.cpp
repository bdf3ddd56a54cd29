#include "FinanceBillWriter.h"

#include <optional>

#include "Database.h"
#include "FinanceBillStore.h"
#include "FinanceTotals.h"

FinanceBillWriter::FinanceBillWriter(Database &db, const FinanceBillSide &side)
    : m_db(db)
    , m_side(side)
{
}

bool FinanceBillWriter::Insert(const struct_button_financebill &bill)
{
    if (bill.GUID.isEmpty())
        return false;
    Transaction transaction(m_db);
    FinanceBillStore(m_db, m_side).InsertBill(bill);
    FinanceTotals(m_db).RecalcAfterWrite(m_side, nullptr, &bill);
    transaction.commit();
    return true;
}

bool FinanceBillWriter::Update(const struct_button_financebill &bill)
{
    Transaction transaction(m_db);
    FinanceBillStore store(m_db, m_side);
    const std::optional<struct_button_financebill> before = store.BillByGuid(bill.GUID);
    if (!before || store.UpdateBill(bill) == 0)
        return false;
    FinanceTotals(m_db).RecalcAfterWrite(m_side, &*before, &bill);
    transaction.commit();
    return true;
}

bool FinanceBillWriter::Delete(const QString &guid)
{
    Transaction transaction(m_db);
    FinanceBillStore store(m_db, m_side);
    const std::optional<struct_button_financebill> before = store.BillByGuid(guid);
    if (!before || store.DeleteBill(guid) == 0)
        return false;
    FinanceTotals(m_db).RecalcAfterWrite(m_side, &*before, nullptr);
    transaction.commit();
    return true;
}
