#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include <optional>
#include <vector>

#include "RecordTypes.h"
#include "SharedTypes.h"

class Database;

// Which finance bills a report page is to list: the criteria of the
// finance-bill search, of the account detail's lists and of a party's
// bills, as values, never as SQL text. FinanceBillStatements() is the one
// place that turns it into statements, one per table, with bound values.
//
// Every criterion is an exact match and the criteria are joined by AND. A
// text criterion that is absent, or that holds "所有" for the chosen lists
// (party, account, kind, money type, voucher), puts no condition on its
// column.
struct FinanceBillQuery
{
    enum BillTypeChoice : int { AllBills = 0, IncomeBills = 1, PayoutBills = 2 };

    // Bill dates from first to last, both included ("%04d-%02d-%02d").
    struct DateRange
    {
        QString first;
        QString last;
        bool operator==(const DateRange &) const = default;
    };
    // Amounts from low to high, both included, compared as numbers.
    struct AmountRange
    {
        double low = 0.0;
        double high = 0.0;
        bool operator==(const AmountRange &) const = default;
    };

    // The tables to read, in the order their rows are listed: PartyClient
    // is tbl_FinanceBill_income, PartyProvider tbl_FinanceBill_income_provider.
    QList<PartySide> tables;
    int billType = AllBills;
    std::optional<QString> partyName;
    std::optional<QString> account;
    std::optional<QString> incomeType;
    std::optional<QString> moneyType;
    std::optional<QString> voucher;
    std::optional<DateRange> dates;
    std::optional<AmountRange> amounts;
    std::optional<QString> remark;
    std::optional<QString> seller;
    std::optional<QString> billCode;

    // The tables of a report page's side: the provider table for side 0,
    // the client table for side 1, and for side 2 the provider table first.
    static QList<PartySide> TablesOfSide(int billListSide);
    // The bills of one account in both tables, the client table first.
    static FinanceBillQuery AccountBills(const QString &account, const std::optional<DateRange> &dates);
    // The month and the year of a date text as ranges.
    static DateRange MonthOf(const QString &date);
    static DateRange YearOf(const QString &date);

    bool operator==(const FinanceBillQuery &) const = default;
};

// One statement of a query: a SELECT over one table with its placeholders,
// and the values to bind in their order (QString or double).
struct FinanceBillStatement
{
    PartySide table = PartyClient;
    QString sql;
    QVariantList values;
};

std::vector<FinanceBillStatement> FinanceBillStatements(const FinanceBillQuery &query);

// A listed finance bill and the table it was read from. The bill is held in
// the sales layout for both tables.
struct FinanceBillListRow
{
    PartySide table = PartyClient;
    struct_button_financebill bill;

    bool operator==(const FinanceBillListRow &) const = default;
};

// Runs the query's statements in order; the rows of each table in table
// order. Throws DbError.
QList<FinanceBillListRow> FindFinanceBills(Database &db, const FinanceBillQuery &query);
