#pragma once

#include "CGridppReportEventImpl.h"
#include "RecordTypes.h"

// The sink of the product-information page's printed list: one record per
// listed product with its code, name, specification, the two reference
// prices and the stock count. No totals row.
class CProductInfoReportEvent : public CGridppReportRowsEventImpl<struct_button_storeproduct>
{
public:
    void Initialize() override;
    void FetchRecord() override { FillRecords(); }
    int FillRecords();

private:
    ReportField *m_code = nullptr;
    ReportField *m_name = nullptr;
    ReportField *m_spec = nullptr;
    ReportField *m_stockPrice = nullptr;
    ReportField *m_shipmentPrice = nullptr;
    ReportField *m_stockCount = nullptr;
};
