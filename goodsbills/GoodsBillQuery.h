#pragma once

#include <QString>

#include <variant>
#include <vector>

#include "GoodsBillSide.h"

// What the goods-bill search dialog (and the parties' detail window) hands
// the report page: the filters of one search over one side's bill lines,
// joined by AND. Values only: the query builder below turns them into a
// statement with bound values.
struct GoodsBillQuery
{
    enum BillTypeChoice { AllTypes = 0, ReturnBills = 1, MainBills = 2 };
    // 所有, the side's return kind (退货单), or its main kind (出货单 / 进货单).
    int billTypeChoice = AllTypes;
    // Empty: every company.
    QString companyName;
    // Both days included, as date texts.
    bool hasDateRange = false;
    QString firstDay;
    QString lastDay;
    // The stored total (SumMoney) as a number, both bounds included.
    bool hasAmountRange = false;
    double lowestAmount = 0.0;
    double highestAmount = 0.0;
    // Each an exact match; empty puts no condition on its column.
    QString billRemark;
    QString sellerName;
    QString billCode;
    QString productCode;
    QString productName;
    QString productSpec;

    bool operator==(const GoodsBillQuery &) const = default;
};

// The conditions over a line table's columns, joined by AND ("l.CompanyName
// = ?1 AND ..."; empty without filters), with the values to bind: value i
// goes to placeholder ?(i+1), which may stand more than once in a
// statement. The conditions stand in this order: company, bill type, date
// range, amount range, remark, seller, bill code, product code, name and
// variant. Each column name is written after `table` (e.g. "l."), for a
// statement that joins the line table to another.
struct GoodsBillCondition
{
    using Value = std::variant<QString, double>;
    QString expression;
    std::vector<Value> values;
};

GoodsBillCondition ConditionFor(const GoodsBillQuery &query, const GoodsBillSide &side, const QString &table);
