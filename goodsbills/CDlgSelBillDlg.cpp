#include "CDlgSelBillDlg.h"

#include <QHBoxLayout>

#include "CardResources.h"
#include "GoodsBillEditing.h"
#include "GoodsBillPage.h"
#include "ImageButton.h"
#include "PageWidgets.h"

CDlgSelBillDlg::CDlgSelBillDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择单据类型"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    // The pictures of the party detail window's two new-goods-bill buttons,
    // which open the same two kinds of bill; the captions follow the side.
    ImageButton *out = MakePictureButton(this, "1095", QString(), IconResourcePath(184));
    ImageButton *in = MakePictureButton(this, "1096", QString(), IconResourcePath(185));
    auto *layout = new QHBoxLayout(this);
    for (ImageButton *button : {out, in}) {
        button->setMinimumSize(120, 48);
        layout->addWidget(button);
    }
    m_goodsOut = out;
    m_goodsIn = in;
    connect(out, &QPushButton::clicked, this, [this] { OpenEditor(true); });
    connect(in, &QPushButton::clicked, this, [this] { OpenEditor(false); });
    SetSide(PartyClient);
}

int CDlgSelBillDlg::SetSide(int side)
{
    m_nSide = side;
    if (side == PartyProvider) {
        m_goodsOut->setText(QStringLiteral("采购退货单"));
        m_goodsIn->setText(QStringLiteral("采购进货单"));
    } else if (side == PartyClient) {
        m_goodsOut->setText(QStringLiteral("销售出货单"));
        m_goodsIn->setText(QStringLiteral("销售退货单"));
    } else {
        m_goodsOut->setText(QStringLiteral("出货单"));
        m_goodsIn->setText(QStringLiteral("进货单"));
    }
    return 1;
}

int CDlgSelBillDlg::SetGoodsTab(CDlgTabGoods *page)
{
    m_pGoodsTab = page;
    return 1;
}

int CDlgSelBillDlg::SetProviderGoodsTab(CDlgTabProviderGoods *page)
{
    m_pProviderGoodsTab = page;
    return 1;
}

int CDlgSelBillDlg::ModeOf(bool goodsOut) const
{
    if (m_nSide == PartyProvider)
        return goodsOut ? 11 : 10;
    return goodsOut ? 0 : 1;
}

void CDlgSelBillDlg::OpenEditor(bool goodsOut)
{
    GoodsBillEditorLauncher *launcher = GoodsBillEditorLauncher::current();
    if (launcher && (m_nSide == PartyClient || m_nSide == PartyProvider)) {
        GoodsBillEditRequest request;
        request.mode = ModeOf(goodsOut);
        request.salesPage = m_nSide == PartyClient ? m_pGoodsTab : nullptr;
        request.purchasePage = m_nSide == PartyProvider ? m_pProviderGoodsTab : nullptr;
        QWidget *page = m_nSide == PartyClient ? static_cast<QWidget *>(m_pGoodsTab)
                                               : static_cast<QWidget *>(m_pProviderGoodsTab);
        // The chooser closes whatever the editor's result.
        launcher->Run(page ? page : parentWidget(), request);
    }
    done(0);
}
