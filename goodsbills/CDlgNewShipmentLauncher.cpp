#include "CDlgNewShipmentLauncher.h"

#include "CDlgNewShipment.h"
#include "Interaction.h"

void CDlgNewShipmentLauncher::SetMainPages(
    CDlgTabGoods* salesPage, CDlgTabProviderGoods* purchasePage, CDlgTabStore* storePage)
{
    m_pSalesPage = salesPage;
    m_pPurchasePage = purchasePage;
    m_pStorePage = storePage;
}

int CDlgNewShipmentLauncher::Run(QWidget* parent, const GoodsBillEditRequest& request)
{
    CDlgNewShipment dialog(parent);
    dialog.SetIntMember(request.mode);
    if (GoodsBillSide::ForMode(request.mode).party == PartyProvider) {
        dialog.SetProviderGoodsTab(request.purchasePage ? request.purchasePage : m_pPurchasePage);
        std::vector<struct_button_provider_goodsbill> lines;
        for (const struct_button_goodsbill& line : request.lines)
            lines.push_back(ToPurchaseLayout(line));
        dialog.SetProviderBillRows(lines);
        dialog.SetProviderBillButton(request.purchaseTile);
    } else {
        dialog.SetGoodsTab(request.salesPage ? request.salesPage : m_pSalesPage);
        dialog.SetBillRows(request.lines);
        dialog.SetBillButton(request.salesTile);
    }
    dialog.SetReportPage(request.reportPage);
    dialog.SetStorePage(m_pStorePage);
    return Interaction::current().runModal(&dialog) == 1 ? 1 : 0;
}
