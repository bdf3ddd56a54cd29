#pragma once

#include <QString>

#include <array>

// The three parameter lists of the options page: income/payout kinds,
// money types and vouchers.
enum ParameterListKind : int {
    IncomePayTypeList = 0,
    MoneyTypeList = 1,
    VoucherList = 2,
};

// What differs between the three parameter lists. They are one design over
// three tables: the store reads and writes whichever table it is given,
// the options page and the name dialog take their controls and texts from
// here.
struct ParameterList
{
    ParameterListKind kind;
    // The table and its name column; the key column is GUID in all three.
    const char *table;
    const char *nameColumn;
    // The list on the options page and its buttons.
    const char *listId;
    const char *newId;
    const char *modifyId;
    const char *deleteId;
    // The heading above the list and the list's (hidden) column title.
    QString heading;
    QString columnTitle;
    // The name dialog: its edit, its two buttons, its prompt and what it
    // says when the name is empty.
    const char *editId;
    const char *okId;
    const char *cancelId;
    QString prompt;
    QString emptyNameMessage;

    static const ParameterList &IncomePayTypes();
    static const ParameterList &MoneyTypes();
    static const ParameterList &Vouchers();
    static const ParameterList &For(ParameterListKind kind);
    // The three in the order the page shows them.
    static std::array<const ParameterList *, 3> All();
};
