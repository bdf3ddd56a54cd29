#pragma once

#include "GoodsBillEditing.h"

class CDlgTabStore;

// The program's way of opening a goods bill: runs CDlgNewShipment modally
// on the request, set up as its openers set it (mode, page, lines, tile,
// report page). The main window installs one for its life and gives it
// its own pages: the goods-bill page of a side, where a request names
// none, and the store page, through which the editor enters new products.
class CDlgNewShipmentLauncher : public GoodsBillEditorLauncher
{
public:
    void SetMainPages(CDlgTabGoods* salesPage, CDlgTabProviderGoods* purchasePage, CDlgTabStore* storePage);

    int Run(QWidget* parent, const GoodsBillEditRequest& request) override;

private:
    CDlgTabGoods* m_pSalesPage = nullptr;
    CDlgTabProviderGoods* m_pPurchasePage = nullptr;
    CDlgTabStore* m_pStorePage = nullptr;
};
