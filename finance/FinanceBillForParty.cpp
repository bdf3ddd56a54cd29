#include "FinanceBillForParty.h"

#include "CDlgNewIncomeBill.h"
#include "FinanceBillMode.h"
#include "Interaction.h"

int RunFinanceBillForParty(QWidget *parent, FinanceBillPage *page, int side, int mode, const QString &partyName)
{
    const FinanceBillModeInfo *info = FinanceBillModeFor(mode);
    if (!info || !info->nameLocked || info->side != side)
        return 0;
    CDlgNewIncomeBill editor(parent);
    struct_button_financebill bill;
    bill.ClientName = partyName;
    if (side == PartyProvider) {
        editor.SetProviderFinaTab(page);
        editor.SetProviderBill(ToPurchaseLayout(bill));
    } else {
        editor.SetFinaTab(page);
        editor.SetBill(bill);
    }
    editor.SetMode(mode);
    return Interaction::current().runModal(&editor) == 1 ? 1 : 0;
}
