#pragma once

#include "CGridppReportEventImpl.h"
#include "ProductSums.h"

// The sink of the purchase and sales sums report: hands the store page's
// sums rows, the "总合计" row included, to the report as they are.
class CProductStockShipmentSumReportEvent : public CGridppReportRowsEventImpl<ProductStockShipmentSumInfo>
{
public:
    void Initialize() override;
    void FetchRecord() override { FillRecords(); }
    int FillRecords();

private:
    ReportField *m_fields[15] = {};
};
