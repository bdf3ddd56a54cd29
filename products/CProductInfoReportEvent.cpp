#include "CProductInfoReportEvent.h"

void CProductInfoReportEvent::Initialize()
{
    m_code = FindField(QStringLiteral("货品编号"));
    m_name = FindField(QStringLiteral("货品名称"));
    m_spec = FindField(QStringLiteral("货品规格"));
    m_stockPrice = FindField(QStringLiteral("进货价格"));
    m_shipmentPrice = FindField(QStringLiteral("出货价格"));
    m_stockCount = FindField(QStringLiteral("库存数量"));
}

int CProductInfoReportEvent::FillRecords()
{
    return FillRecordsWith([this](const struct_button_storeproduct &product) {
        SetFieldText(m_code, product.ProductCode);
        SetFieldText(m_name, product.ProductName);
        SetFieldText(m_spec, product.ProductSpec);
        SetFieldText(m_stockPrice, product.StockUnitPrice);
        SetFieldText(m_shipmentPrice, product.ShipmentUnitPrice);
        SetFieldText(m_stockCount, product.ProductStockCount);
    });
}
