#include "CReportEvent_Fina_Provider.h"

CReportEvent_Fina_Provider::CReportEvent_Fina_Provider()
    : FinanceReportEvent(
        {"记录号", "录入时间", "单据编号", "单据类型", "帐户名称", "单位名称", "收入", "支出", "合计", "业务员"},
        [](const struct_button_financebill_provider &row, int index) {
            return Texts {QString::number(index), row.InputDate,  row.BillCode,   row.BillType,   row.AccountName,
                          row.ClientName,         row.ListIncome, row.ListPayout, row.MoneyCount, row.SellerName};
        })
{
}
