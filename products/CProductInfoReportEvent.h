#pragma once

#include "ProductReportEvent.h"
#include "RecordTypes.h"

// The sink of the product-information page's printed list: one record per
// listed product with its code, name, variant, the two reference
// prices and the stock count. No totals row.
class CProductInfoReportEvent : public ProductReportEvent<struct_button_storeproduct, 6>
{
public:
    CProductInfoReportEvent();
};
