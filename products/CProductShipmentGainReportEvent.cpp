#include "CProductShipmentGainReportEvent.h"

void CProductShipmentGainReportEvent::Initialize()
{
    static const char *const titles[9] = {"产品编号", "产品名称", "产品规格", "进货参考价", "出货均价",
                                          "销售数量", "销售成本", "销售总额", "销售利润"};
    for (int i = 0; i < 9; ++i)
        m_fields[i] = FindField(QString::fromUtf8(titles[i]));
}

int CProductShipmentGainReportEvent::FillRecords()
{
    return FillRecordsWith([this](const ProductShipmentGainInfo &row) {
        const QString *texts[9] = {&row.ProductCode, &row.ProductName, &row.ProductSpec,
                                   &row.RefStockPrice, &row.AvgShipmentPrice, &row.NetCount,
                                   &row.SalesCost, &row.NetAmount, &row.Profit};
        for (int i = 0; i < 9; ++i)
            SetFieldText(m_fields[i], *texts[i]);
    });
}
