#include "CDlgNewShipmentLauncher.h"

#include "CDlgNewShipment.h"
#include "Interaction.h"

int CDlgNewShipmentLauncher::Run(QWidget* parent, const GoodsBillEditRequest& request)
{
    CDlgNewShipment dialog(parent);
    dialog.SetIntMember(request.mode);
    if (GoodsBillSide::ForMode(request.mode).party == PartyProvider) {
        dialog.SetProviderGoodsTab(request.purchasePage);
        std::vector<struct_button_provider_goodsbill> lines;
        for (const struct_button_goodsbill& line : request.lines)
            lines.push_back(ToPurchaseLayout(line));
        dialog.SetProviderBillRows(lines);
        dialog.SetProviderBillButton(request.purchaseTile);
    } else {
        dialog.SetGoodsTab(request.salesPage);
        dialog.SetBillRows(request.lines);
        dialog.SetBillButton(request.salesTile);
    }
    dialog.SetReportPage(request.reportPage);
    return Interaction::current().runModal(&dialog) == 1 ? 1 : 0;
}
