#include "CProductShipmentGainReportEvent.h"

CProductShipmentGainReportEvent::CProductShipmentGainReportEvent()
    : ProductReportEvent({"产品编号", "产品名称", "产品规格", "进货参考价", "出货均价", "销售数量", "销售成本",
                          "销售总额", "销售利润"},
                         [](const ProductShipmentGainInfo &row) {
                             return Texts{row.ProductCode,   row.ProductName,      row.ProductSpec,
                                          row.RefStockPrice, row.AvgShipmentPrice, row.NetCount,
                                          row.SalesCost,     row.NetAmount,        row.Profit};
                         })
{
}
