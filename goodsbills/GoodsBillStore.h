#pragma once

#include <QString>

#include "GoodsBillLines.h"

class Database;

// The one code that writes, reads back and deletes the goods bills of one
// side. A bill is every line row with one GUID; each line repeats the
// bill's header. The store opens no transaction: its writes run inside the
// caller's (GoodsBillWriter's), because Transaction does not nest. Every
// failure is a DbError.
class GoodsBillStore
{
public:
    GoodsBillStore(Database &db, const GoodsBillSide &side);

    const GoodsBillSide &side() const { return m_side; }

    // One row per line, in order, every column from the line's field of the
    // same name.
    void AddBill(const GoodsBillLines &lines);
    // The bill's lines in stored order. Each line's deposit is resolved: its
    // Imprest is the deposit finance bill's MoneyCount, or "0" with an empty
    // ImprestBillGuid when that bill is gone. NULL columns read as "".
    GoodsBillLines LoadBill(const QString &guid);
    // The bill's lines in stored order exactly as stored (the Imprest and
    // the link as written): what the stock changes are worked out from.
    GoodsBillLines LoadStoredLines(const QString &guid);
    // Deletes every line of the bill; answers how many rows went.
    int DeleteBill(const QString &guid);
    // The side's finance bill with that GUID: true and the record filled
    // when it exists; false with an empty record and MoneyCount "0" when it
    // does not (an empty GUID included). A database error throws.
    bool LoadImprestBill(const QString &guid, struct_button_financebill &record);

private:
    GoodsBillLines loadLines(const QString &sql, const QString &guid, bool resolveDeposits);

    Database &m_db;
    const GoodsBillSide &m_side;
};
