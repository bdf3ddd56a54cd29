#include "CProductCountTipReportEvent.h"

CProductCountTipReportEvent::CProductCountTipReportEvent()
    : ProductReportEvent({"货品编号", "货品名称", "货品规格", "库存数量"}, [](const ProductCountTipInfo &row) {
          return Texts{row.ProductCode, row.ProductName, row.ProductSpec, row.ProductStockCount};
      })
{
}
