#pragma once

#include "FinanceReportEvent.h"
#include "FinanceSumRows.h"

// The sink of the month-balance report. The accounts page connects it to
// its report but no command fills or shows that report.
class CFinanceMonthBalanceReportEvent : public FinanceReportEvent<FinanceMonthBalanceInfo, 6>
{
public:
    CFinanceMonthBalanceReportEvent();
};
