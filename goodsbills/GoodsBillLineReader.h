#pragma once

#include <QString>

#include "GoodsBillLines.h"

class Statement;

// Reads goods-bill lines together with their deposit, in one statement. A
// deposit counts once, through its finance bill: a line shows the deposit
// bill's MoneyCount, or "0" with an empty link when that bill is gone; the
// Imprest stored in the line is never shown. The store, the pages' tiles
// and the report page's rows all read lines this way.
class GoodsBillLineReader
{
public:
    // "SELECT <lineColumns>, <deposit amount>, <deposit GUID> FROM <line
    // table> AS l LEFT JOIN <deposit table> AS d ..."; callers append their
    // WHERE (on l's columns) and ORDER BY. lineColumns picks the line's
    // columns (every one by default).
    static QString SelectResolved(const GoodsBillSide &side, const QString &lineColumns = QStringLiteral("l.*"));
    // Every column of the row by name into a sales-layout line, the deposit
    // resolved; NULL and unselected columns read as "".
    static struct_button_goodsbill ReadResolved(const Statement &row);
    // Sets the line's Imprest and ImprestBillGuid from the deposit bill's
    // GUID and MoneyCount as the SELECT found them (an empty GUID: none).
    static void ResolveDeposit(struct_button_goodsbill &line, const QString &depositGuid, const QString &depositAmount);
};
