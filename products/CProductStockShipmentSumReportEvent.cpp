#include "CProductStockShipmentSumReportEvent.h"

CProductStockShipmentSumReportEvent::CProductStockShipmentSumReportEvent()
    : ProductReportEvent({"产品编号", "产品名称", "产品规格", "采购数量", "采购均价", "采购总额", "采购退货",
                          "采购退价", "采购退额", "销售数量", "销售均价", "销售总额", "销售退货", "销售退价",
                          "销售退额"},
                         [](const ProductStockShipmentSumInfo &row) {
                             return Texts{row.ProductCode,         row.ProductName,        row.ProductSpec,
                                          row.StockCount,          row.StockAvgPrice,      row.StockAmount,
                                          row.StockReturnCount,    row.StockReturnAvgPrice, row.StockReturnAmount,
                                          row.SalesCount,          row.SalesAvgPrice,      row.SalesAmount,
                                          row.SalesReturnCount,    row.SalesReturnAvgPrice, row.SalesReturnAmount};
                         })
{
}
