#include "FinanceBillSide.h"

const FinanceBillSide &FinanceBillSide::Sales()
{
    static const FinanceBillSide side{
        PartyClient,          "tbl_FinanceBill_income", "tbl_clientmgr",           "ClientName",
        QStringLiteral("XS"), QStringLiteral("销售"),   QStringLiteral("客户名称")};
    return side;
}

const FinanceBillSide &FinanceBillSide::Purchase()
{
    static const FinanceBillSide side{PartyProvider,
                                      "tbl_FinanceBill_income_provider",
                                      "tbl_ProviderMgr",
                                      "ProviderName",
                                      QStringLiteral("CG"),
                                      QStringLiteral("采购"),
                                      QStringLiteral("供应商名称")};
    return side;
}

const FinanceBillSide &FinanceBillSide::For(PartySide party)
{
    return party == PartyProvider ? Purchase() : Sales();
}
