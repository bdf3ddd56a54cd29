#pragma once

#include "CGridppReportEventImpl.h"

#include <QString>

// One printed row of the stock alarm.
struct ProductCountTipInfo
{
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;
    QString ProductStockCount;
};

// The sink of the stock-alarm report: the rows of the alarm list, no
// totals row.
class CProductCountTipReportEvent : public CGridppReportRowsEventImpl<ProductCountTipInfo>
{
public:
    void Initialize() override;
    void FetchRecord() override { FillRecords(); }
    int FillRecords();

private:
    ReportField *m_code = nullptr;
    ReportField *m_name = nullptr;
    ReportField *m_spec = nullptr;
    ReportField *m_stock = nullptr;
};
