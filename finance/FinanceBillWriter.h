#pragma once

#include <QString>

#include "FinanceBillSide.h"
#include "RecordTypes.h"

class Database;

// Adds, changes and deletes a finance bill of one side together with the
// figures it feeds, each in one transaction: the bill's row, the income
// totals of the parties and the balances of the accounts it named before
// and after the write (FinanceTotals), or nothing. Bills travel in the
// sales layout on both sides. Every failure is a DbError, thrown after the
// rollback.
class FinanceBillWriter
{
public:
    FinanceBillWriter(Database &db, const FinanceBillSide &side);

    // False (nothing written) for a bill without a GUID.
    bool Insert(const struct_button_financebill &bill);
    // False when no row has the bill's GUID: nothing is written.
    bool Update(const struct_button_financebill &bill);
    // False when no row has that GUID: nothing is written.
    bool Delete(const QString &guid);

private:
    Database &m_db;
    const FinanceBillSide &m_side;
};
