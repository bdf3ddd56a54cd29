#include "CProductTradeDetailReportEvent.h"

CProductTradeDetailReportEvent::CProductTradeDetailReportEvent()
    : ProductReportEvent({"货品编号", "货品名称", "货品规格", "日期", "单据编号", "进货数量", "出货数量"},
                         [](const ProductTradeDetailInfo &row) {
                             return Texts{FirstColumnText(row.RowKind, row.ProductCode),
                                          row.ProductName,
                                          row.ProductSpec,
                                          row.InputDate,
                                          row.BillCode,
                                          row.StockCount,
                                          row.ShipmentCount};
                         })
{
}
