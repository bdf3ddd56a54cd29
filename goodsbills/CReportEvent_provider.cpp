#include "CReportEvent_provider.h"

CReportEvent_provider::CReportEvent_provider()
    : ProductReportEvent({"单据编号", "单据类型", "录入时间", "单位名称", "单据金额", "单据订金", "业务员"},
        [](const struct_button_goodsbill &bill) {
            return Texts{bill.BillCode, bill.BillType, bill.InputDate, bill.CompanyName, bill.SumMoney, bill.Imprest,
                bill.SellerName};
        })
{
}
