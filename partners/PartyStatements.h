#pragma once

#include <QString>

#include <vector>

#include "CDlgPrtMonthSelDate.h"
#include "RecordTypes.h"

class Database;
struct PartySideInfo;

// The rows of the detail window's three statements of one party, as bill
// line records in the sales layout. A row's BillType tells its kind:
// "标题行" opens a section (its heading in InputDate), "总计行" is a totals
// row (its label and numbers in the fields each statement names below),
// anything else is a bill line or a money row. Numbers written are
// DoubleToStr texts (two decimals, half a cent rounded away from zero);
// numbers read are read leniently (StrToDouble). It opens no window;
// callers catch DbError.
class PartyStatements
{
public:
    PartyStatements(Database &db, const PartySideInfo &side);

    // The product detail of a period: the lines of the main kind, a totals
    // row, the return lines, a totals row. A totals row holds "合计" in
    // ProductUnit, the sum of the counts in ProductAmount and of the line
    // amounts in ProductPrice.
    std::vector<struct_button_goodsbill> ProductDetail(const QString &name, const PeriodRange &period);

    // The survey of a period: the main-kind lines and the return lines
    // each under a title with a totals row, the actual goods amount, the
    // finance bills under a title, then the period's payments, period
    // arrears, prior arrears and total arrears. Totals rows hold their
    // label in ProductSpec, the count (bill sections only) in
    // ProductAmount and the money in ProductPrice; the money of the bill
    // sections is the bills' totals, the counts are the lines'.
    std::vector<struct_button_goodsbill> Survey(
        const QString &name, const QString &beginArrears, const PeriodRange &period);

    // The statement of the month of a date: the month's main-kind lines
    // and return lines with their totals, the register rows (tbl_RevAccount,
    // read by name), the arrears before the month, the month's finance
    // bills and the new arrears. Totals rows hold their label in
    // ProductUnitPrice and their amount in ProductPrice. A goods bill's
    // deposit is a finance bill of its own and counts once, as such.
    std::vector<struct_button_goodsbill> MonthStatement(
        const QString &name, const QString &beginArrears, const QString &date);

    // The report parameter DateRange of the month statement: "2011年05月份".
    static QString MonthRangeText(const QString &date);

private:
    std::vector<struct_button_goodsbill> RegisterRows(const QString &name, const PeriodRange &month);

    Database &m_db;
    const PartySideInfo &m_side;
};

// The row kinds and labels of the statements.
inline const QString kTitleRowKind = QStringLiteral("标题行");
inline const QString kTotalsRowKind = QStringLiteral("总计行");
