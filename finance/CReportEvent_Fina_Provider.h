#pragma once

#include "FinanceReportEvent.h"
#include "RecordTypes.h"

// The sink of the finance-bill list report: one record per listed bill in
// its printed form (FinanceBillListModel::CollectListRows), numbered by its
// place in the sink's copy. No totals row.
class CReportEvent_Fina_Provider : public FinanceReportEvent<struct_button_financebill_provider, 10>
{
public:
    CReportEvent_Fina_Provider();
};
