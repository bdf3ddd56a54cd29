#include "CProductMonthBalanceReportEvent.h"

CProductMonthBalanceReportEvent::CProductMonthBalanceReportEvent()
    : ProductReportEvent({"产品名称", "产品规格", "进货数量", "进货均价", "进货总额", "出货数量", "出货均价",
                          "出货总额", "利润"},
                         [](const ProductMonthBalanceInfo &row) {
                             return Texts{FirstColumnText(row.RowKind, row.ProductName),
                                          row.ProductSpec,
                                          row.StockCount,
                                          row.StockAvgPrice,
                                          row.StockAmount,
                                          row.ShipmentCount,
                                          row.ShipmentAvgPrice,
                                          row.ShipmentAmount,
                                          row.Profit};
                         })
{
}
