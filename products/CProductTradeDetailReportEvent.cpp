#include "CProductTradeDetailReportEvent.h"

#include "ProductSums.h"

void CProductTradeDetailReportEvent::Initialize()
{
    static const char *const titles[7] = {"货品编号", "货品名称", "货品规格", "日期",
                                          "单据编号", "进货数量", "出货数量"};
    for (int i = 0; i < 7; ++i)
        m_fields[i] = FindField(QString::fromUtf8(titles[i]));
}

int CProductTradeDetailReportEvent::FillRecords()
{
    return FillRecordsWith([this](const ProductTradeDetailInfo &row) {
        const bool isTotals = row.RowKind == QStringLiteral("总计行");
        const QString texts[7] = {isTotals ? kTotalsRowTitle : row.ProductCode,
                                  row.ProductName,
                                  row.ProductSpec,
                                  row.InputDate,
                                  row.BillCode,
                                  row.StockCount,
                                  row.ShipmentCount};
        for (int i = 0; i < 7; ++i)
            SetFieldText(m_fields[i], texts[i]);
    });
}
