#include "CDlgTabData_Fina_Provider.h"

CDlgTabData_Fina_Provider::CDlgTabData_Fina_Provider(QWidget *parent)
    : PageBase(parent)
{
}

int CDlgTabData_Fina_Provider::SetSideOrStoreButton(int side)
{
    m_nSide = side;
    return 1;
}

int CDlgTabData_Fina_Provider::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}
