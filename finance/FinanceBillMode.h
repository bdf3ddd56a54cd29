#pragma once

#include "SharedTypes.h"

// What the finance bill editor does in each of its modes (FinanceBillMode,
// a plain int as the openers pass it): one row per mode, read by the
// editor. Even modes write a "收入单", odd ones a "支出单".
//
//  0/1   client side, new (the chooser)      10/11 provider side, new (the chooser)
//  2/3   client side, modify (a bill card)   12/13 provider side, modify (a bill card)
//  6/7   client side, new for a fixed party  24/25 provider side, the same
//  8/9   client side, modify (report list)   14/15 provider side, the same
//  20/21 client side, new deposit bill       16/17 provider side, new deposit bill
//  22/23 client side, modify deposit bill    18/19 provider side, modify deposit bill
enum class FinanceBillTask { New, Modify, NewDeposit, ModifyDeposit };
// What 确定 asks of the side's finance page.
enum class FinancePageOperation { Insert, Update };

struct FinanceBillModeInfo
{
    int mode;
    PartySide side;
    const char *billType;
    FinanceBillTask task;
    // The party is the opener's and cannot be changed.
    bool nameLocked;
    const char *title;
    // The header picture's resource number.
    int picture;
    const char *nameLabel;
    // New modes: the proposed code is this prefix and the working date's
    // eight digits. Empty in the modify modes, which keep the bill's code.
    const char *codePrefix;
    bool deleteOffered;
    FinancePageOperation operation;
    const char *message;
    // Opened from a report page's list, whose row follows the bill.
    bool fromReportList;

    bool isNew() const { return task == FinanceBillTask::New || task == FinanceBillTask::NewDeposit; }
    bool isDeposit() const { return task == FinanceBillTask::NewDeposit || task == FinanceBillTask::ModifyDeposit; }
};

// The row of a mode; null for a number that is no mode (4, 5, 26, ...).
const FinanceBillModeInfo *FinanceBillModeFor(int mode);
// Every row, in mode order.
const FinanceBillModeInfo *FinanceBillModesBegin();
const FinanceBillModeInfo *FinanceBillModesEnd();
