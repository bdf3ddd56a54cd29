#pragma once

#include "GoodsBillLines.h"
#include "ProductReportEvent.h"

// The sink of the goods-bill report page's printed list: one record per
// listed bill with its code, kind, date, company, signed total and deposit
// and seller. No totals row. The product reports' row sink serves any list
// of rows given the field titles.
class CReportEvent_provider : public ProductReportEvent<struct_button_goodsbill, 7>
{
public:
    CReportEvent_provider();
};
