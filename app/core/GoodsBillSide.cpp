#include "GoodsBillSide.h"

int GoodsBillSide::StockSign(const QString &billType) const
{
    const int mainSign = party == PartyClient ? -1 : 1;
    if (billType == mainBillType)
        return mainSign;
    if (billType == returnBillType)
        return -mainSign;
    return 0;
}

const GoodsBillSide &GoodsBillSide::Sales()
{
    static const GoodsBillSide side{PartyClient,
                                    "tbl_GoodsBill_shipment",
                                    "tbl_FinanceBill_income",
                                    QStringLiteral("出货单"),
                                    QStringLiteral("退货单"),
                                    QStringLiteral("销售")};
    return side;
}

const GoodsBillSide &GoodsBillSide::Purchase()
{
    static const GoodsBillSide side{PartyProvider,
                                    "tbl_goodsbill_shipment_provider",
                                    "tbl_FinanceBill_income_provider",
                                    QStringLiteral("进货单"),
                                    QStringLiteral("退货单"),
                                    QStringLiteral("采购")};
    return side;
}

const GoodsBillSide &GoodsBillSide::For(PartySide party)
{
    return party == PartyProvider ? Purchase() : Sales();
}

const GoodsBillSide &GoodsBillSide::ForMode(int goodsBillMode)
{
    return goodsBillMode >= 10 ? Purchase() : Sales();
}
