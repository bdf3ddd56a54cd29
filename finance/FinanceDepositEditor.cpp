#include "FinanceDepositEditor.h"

#include <optional>

#include "CDlgNewIncomeBill.h"
#include "Database.h"
#include "FinanceBillMode.h"
#include "FinanceBillStore.h"
#include "GlobalFunctions.h"
#include "Interaction.h"

FinanceDepositEditor::FinanceDepositEditor(FinanceBillPage *salesPage, FinanceBillPage *purchasePage, QObject *parent)
    : QObject(parent)
    , m_pSalesPage(salesPage)
    , m_pPurchasePage(purchasePage)
{
}

FinanceDepositEditor::~FinanceDepositEditor()
{
    if (DepositEditor::current() == this)
        DepositEditor::install(nullptr);
}

DepositEditor::Result FinanceDepositEditor::Edit(QWidget *parent, const Request &request)
{
    const FinanceBillModeInfo *info = FinanceBillModeFor(request.mode);
    if (!info || !info->isDeposit())
        return {};
    const FinanceBillSide &side = FinanceBillSide::For(info->side);

    struct_button_financebill bill;
    if (info->isNew()) {
        bill.ClientName = request.companyName;
        bill.BillRemark = request.goodsBillCode;
    } else {
        std::optional<struct_button_financebill> stored;
        try {
            stored = FinanceBillStore(connection(), side).BillByGuid(request.depositGuid);
        } catch (const DbError &error) {
            ShowDbError(error, QStringLiteral("读取订金单据失败。"));
            return {};
        }
        if (!stored) {
            ShowInfoMessage(kFinanceBillGoneMessage);
            return {};
        }
        bill = *stored;
    }

    CDlgNewIncomeBill editor(parent);
    if (info->side == PartyProvider) {
        editor.SetProviderFinaTab(m_pPurchasePage);
        editor.SetProviderBill(ToPurchaseLayout(bill));
        editor.SetProviderBillButton(nullptr);
    } else {
        editor.SetFinaTab(m_pSalesPage);
        editor.SetBill(bill);
        editor.SetBillButton(nullptr);
    }
    editor.SetMode(request.mode);
    if (Interaction::current().runModal(&editor) != 1)
        return {};
    Result result;
    editor.GetDepositInfo(result.guid, result.amount);
    result.saved = !result.guid.isEmpty();
    return result;
}
