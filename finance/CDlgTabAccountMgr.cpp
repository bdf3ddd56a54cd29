#include "CDlgTabAccountMgr.h"

CDlgTabAccountMgr::CDlgTabAccountMgr(QWidget *parent)
    : PageBase(parent)
{
}

int CDlgTabAccountMgr::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

void CDlgTabAccountMgr::RefreshMonthTotals(const QString &date)
{
    SetComputedDate(date);
}
