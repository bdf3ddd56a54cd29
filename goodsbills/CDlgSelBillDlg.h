#pragma once

#include <QDialog>

#include "SharedTypes.h"

class QPushButton;
class CDlgTabGoods;
class CDlgTabProviderGoods;

// "选择单据类型": the two kinds of new goods bill of a side. The left
// button is goods going out (销售出货单, 采购退货单), the right one goods
// coming in (销售退货单, 采购进货单). A choice opens the goods bill editor
// for a new bill of that kind and ends the chooser with 0 once the editor
// has closed; Esc and the close box open nothing.
class CDlgSelBillDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgSelBillDlg(QWidget *parent = nullptr);

    // A PartySide: 0 the sales page's bills, 1 the purchase page's.
    int SetSide(int side);
    int SetGoodsTab(CDlgTabGoods *page);
    int SetProviderGoodsTab(CDlgTabProviderGoods *page);
    // The GoodsBillMode of the left (out) or right (in) button.
    int ModeOf(bool goodsOut) const;

    void reject() override { done(0); }

private:
    void OpenEditor(bool goodsOut);

    int m_nSide = PartyClient;
    CDlgTabGoods *m_pGoodsTab = nullptr;
    CDlgTabProviderGoods *m_pProviderGoodsTab = nullptr;
    QPushButton *m_goodsOut = nullptr;
    QPushButton *m_goodsIn = nullptr;
};
