#pragma once

#include "ProductReportEvent.h"
#include "ProductSums.h"

// The sink of the purchase and sales sums report: hands the store page's
// sums rows, the "总合计" row included, to the report as they are.
class CProductStockShipmentSumReportEvent : public ProductReportEvent<ProductStockShipmentSumInfo, 15>
{
public:
    CProductStockShipmentSumReportEvent();
};
