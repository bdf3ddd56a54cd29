#include "CProductStockShipmentSumReportEvent.h"

void CProductStockShipmentSumReportEvent::Initialize()
{
    static const char *const titles[15] = {"产品编号", "产品名称", "产品规格", "采购数量", "采购均价",
                                           "采购总额", "采购退货", "采购退价", "采购退额", "销售数量",
                                           "销售均价", "销售总额", "销售退货", "销售退价", "销售退额"};
    for (int i = 0; i < 15; ++i)
        m_fields[i] = FindField(QString::fromUtf8(titles[i]));
}

int CProductStockShipmentSumReportEvent::FillRecords()
{
    return FillRecordsWith([this](const ProductStockShipmentSumInfo &row) {
        const QString *texts[15] = {&row.ProductCode,      &row.ProductName,       &row.ProductSpec,
                                    &row.StockCount,       &row.StockAvgPrice,     &row.StockAmount,
                                    &row.StockReturnCount, &row.StockReturnAvgPrice, &row.StockReturnAmount,
                                    &row.SalesCount,       &row.SalesAvgPrice,     &row.SalesAmount,
                                    &row.SalesReturnCount, &row.SalesReturnAvgPrice, &row.SalesReturnAmount};
        for (int i = 0; i < 15; ++i)
            SetFieldText(m_fields[i], *texts[i]);
    });
}
