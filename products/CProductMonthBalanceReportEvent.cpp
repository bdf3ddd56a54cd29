#include "CProductMonthBalanceReportEvent.h"

#include "ProductSums.h"

void CProductMonthBalanceReportEvent::Initialize()
{
    static const char *const titles[9] = {"产品名称", "产品规格", "进货数量", "进货均价", "进货总额",
                                          "出货数量", "出货均价", "出货总额", "利润"};
    for (int i = 0; i < 9; ++i)
        m_fields[i] = FindField(QString::fromUtf8(titles[i]));
}

int CProductMonthBalanceReportEvent::FillRecords()
{
    return FillRecordsWith([this](const ProductMonthBalanceInfo &row) {
        const bool isTotals = row.RowKind == QStringLiteral("总计行");
        const QString texts[9] = {isTotals ? kTotalsRowTitle : row.ProductName,
                                  row.ProductSpec,
                                  row.StockCount,
                                  row.StockAvgPrice,
                                  row.StockAmount,
                                  row.ShipmentCount,
                                  row.ShipmentAvgPrice,
                                  row.ShipmentAmount,
                                  row.Profit};
        for (int i = 0; i < 9; ++i)
            SetFieldText(m_fields[i], texts[i]);
    });
}
