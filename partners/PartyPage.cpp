#include "PartyPage.h"

PartyPage::PartyPage(Side side, QWidget *parent)
    : PageBase(parent)
    , m_side(side)
{
}

void PartyPage::RecomputeMonth(const QString &date)
{
    SetComputedDate(date);
}

CDlgTabClient::CDlgTabClient(QWidget *parent)
    : PartyPage(Side::Client, parent)
{
}

int CDlgTabClient::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

CDlgTabProviderMgr::CDlgTabProviderMgr(QWidget *parent)
    : PartyPage(Side::Provider, parent)
{
}
