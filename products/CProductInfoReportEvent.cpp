#include "CProductInfoReportEvent.h"

CProductInfoReportEvent::CProductInfoReportEvent()
    : ProductReportEvent({"货品编号", "货品名称", "货品规格", "进货价格", "出货价格", "库存数量"},
                         [](const struct_button_storeproduct &product) {
                             return Texts{product.ProductCode,    product.ProductName,       product.ProductSpec,
                                          product.StockUnitPrice, product.ShipmentUnitPrice, product.ProductStockCount};
                         })
{
}
