#pragma once

#include "FinanceReportEvent.h"
#include "FinanceSumRows.h"

// The sink of the 财务月结 report: hands the accounts page's rows, the
// "总合计" row included, to the report.
class CProductFinaSumReportEvent : public FinanceReportEvent<ProductFinaSumInfo, 6>
{
public:
    CProductFinaSumReportEvent();
};
