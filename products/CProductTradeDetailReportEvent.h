#pragma once

#include "ProductReportEvent.h"

#include <QString>

// One row of the product trade detail.
struct ProductTradeDetailInfo
{
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;
    QString InputDate;
    QString BillCode;
    QString StockCount;
    QString ShipmentCount;
    QString RowKind; // "总计行" marks a totals row
};

// The sink of the product trade detail. Like the month balance, the store
// page creates it with its template but no command fills it yet; a row
// marked "总计行" prints "总合计" as its code.
class CProductTradeDetailReportEvent : public ProductReportEvent<ProductTradeDetailInfo, 7>
{
public:
    CProductTradeDetailReportEvent();
};
