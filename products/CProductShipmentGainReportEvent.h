#pragma once

#include "ProductReportEvent.h"
#include "ProductSums.h"

// The sink of the sales gain report: hands the store page's gain rows, the
// "总合计" row included, to the report as they are.
class CProductShipmentGainReportEvent : public ProductReportEvent<ProductShipmentGainInfo, 9>
{
public:
    CProductShipmentGainReportEvent();
};
