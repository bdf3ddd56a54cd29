#pragma once

#include <QString>

#include "ProductReportEvent.h"

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
class CProductCountTipReportEvent : public ProductReportEvent<ProductCountTipInfo, 4>
{
public:
    CProductCountTipReportEvent();
};
