#include "CDlgTabProductInfo.h"

CDlgTabProductInfo::CDlgTabProductInfo(QWidget *parent)
    : PageBase(parent)
{
}

int CDlgTabProductInfo::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}
