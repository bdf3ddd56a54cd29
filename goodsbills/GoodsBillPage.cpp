#include "GoodsBillPage.h"

GoodsBillPage::GoodsBillPage(Side side, QWidget *parent)
    : BillPageBase(parent)
    , m_side(side)
{
}

int GoodsBillPage::ChangeDate(const QString &date)
{
    ApplyFilterDate(date);
    ShowEmptyState(true);
    return 1;
}

void GoodsBillPage::ShowLastPage()
{
    ChangeDate(FilterDate());
}

void GoodsBillPage::RelistCurrentPage()
{
    ChangeDate(FilterDate());
}

CDlgTabGoods::CDlgTabGoods(QWidget *parent)
    : GoodsBillPage(Side::Sales, parent)
{
}

int CDlgTabGoods::SetIntMember(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

CDlgTabProviderGoods::CDlgTabProviderGoods(QWidget *parent)
    : GoodsBillPage(Side::Purchase, parent)
{
}
