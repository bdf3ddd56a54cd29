#pragma once

#include "ProductReportEvent.h"
#include "RecordTypes.h"

// One row of the product month balance.
struct ProductMonthBalanceInfo
{
    QString ProductName;
    QString ProductSpec;
    QString StockCount;
    QString StockAvgPrice;
    QString StockAmount;
    QString ShipmentCount;
    QString ShipmentAvgPrice;
    QString ShipmentAmount;
    QString Profit;
    QString RowKind; // "总计行" marks a totals row
    struct_button_goodsbill Line; // carried along; the report does not print it
};

// The sink of the product month balance. The store page creates the
// report with its template but no command fills it yet, so it prints no
// rows; a row marked "总计行" prints "总合计" as its name.
class CProductMonthBalanceReportEvent : public ProductReportEvent<ProductMonthBalanceInfo, 9>
{
public:
    CProductMonthBalanceReportEvent();
};
