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
    // "SELECT ... FROM <line table> AS l LEFT JOIN <deposit table> AS d ...";
    // callers append their WHERE (on l's columns) and ORDER BY.
    static QString SelectResolved(const GoodsBillSide &side);
    // Every column of the row by name into a sales-layout line, the deposit
    // resolved; NULL columns read as "".
    static struct_button_goodsbill ReadResolved(const Statement &row);
};
