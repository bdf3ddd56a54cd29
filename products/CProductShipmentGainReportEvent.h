#pragma once

#include "CGridppReportEventImpl.h"
#include "ProductSums.h"

// The sink of the sales gain report: hands the store page's gain rows, the
// "总合计" row included, to the report as they are.
class CProductShipmentGainReportEvent : public CGridppReportRowsEventImpl<ProductShipmentGainInfo>
{
public:
    void Initialize() override;
    void FetchRecord() override { FillRecords(); }
    int FillRecords();

private:
    ReportField *m_fields[9] = {};
};
