#include "CProductCountTipReportEvent.h"

void CProductCountTipReportEvent::Initialize()
{
    m_code = FindField(QStringLiteral("货品编号"));
    m_name = FindField(QStringLiteral("货品名称"));
    m_spec = FindField(QStringLiteral("货品规格"));
    m_stock = FindField(QStringLiteral("库存数量"));
}

int CProductCountTipReportEvent::FillRecords()
{
    return FillRecordsWith([this](const ProductCountTipInfo &row) {
        SetFieldText(m_code, row.ProductCode);
        SetFieldText(m_name, row.ProductName);
        SetFieldText(m_spec, row.ProductSpec);
        SetFieldText(m_stock, row.ProductStockCount);
    });
}
