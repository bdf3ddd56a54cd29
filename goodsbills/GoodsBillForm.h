#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

#include "GoodsBillLines.h"
#include "GoodsBillModeInfo.h"

// The goods bill editor's input as plain texts, as the header fields and
// the grid hold them: what is checked before a save and what the bill's
// lines are built from.
struct GoodsBillForm
{
    // The columns of a line row of the grid.
    enum Column { Code = 0, Name, Spec, Unit, Count, UnitPrice, Amount, Remark, ColumnCount };
    using LineTexts = std::array<QString, ColumnCount>;

    // The prepayment switch and the deposit field and four lists it enables.
    bool prepaid = false;
    QString deposit;
    QString account;
    QString incomeType;
    QString fundType;
    QString voucher;
    // The grid's head and totals rows.
    QString company;
    QString date; // "%04d-%02d-%02d"
    QString billCode;
    QString capital;
    QString total;
    QString remark;
    QString seller;
    // The grid's line rows, top to bottom.
    std::vector<LineTexts> lines;

    struct Problem
    {
        QString message;
        // Where the person is taken: a line row (index into lines) and a
        // column, or -1 for a header field.
        int line = -1;
        int column = -1;
    };
    // The first check that fails, in the order the person reads the
    // window; nothing when the bill may be saved.
    std::optional<Problem> Validate() const;

    // Whether a line row holds anything the person typed or picked (the
    // computed amount does not count).
    bool IsLineUsed(int line) const;
};

// What the bill's lines take from outside the form.
struct GoodsBillBuildContext
{
    GoodsBillModeInfo mode;
    // The bill's GUID: a new one for a new bill, the stored one for a
    // changed bill.
    QString guid;
    // The deposit: the deposit finance bill's amount ("0" without one) and
    // GUID (empty without one).
    QString depositAmount;
    QString depositGuid;
};

// One bill line per line row that has a product code, top to bottom, each
// carrying the bill's header. Counts and unit prices lose the blanks around
// them.
GoodsBillLines BuildBillLines(const GoodsBillForm& form, const GoodsBillBuildContext& context);

// The lines of the printed bill: the bill's lines followed by blank lines
// (the header kept, the product texts empty) up to six.
GoodsBillLines PrintLinesOf(
    const GoodsBillLines& lines, const GoodsBillForm& form, const GoodsBillBuildContext& context);
