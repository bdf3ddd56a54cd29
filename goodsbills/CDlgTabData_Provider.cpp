#include "CDlgTabData_Provider.h"

CDlgTabData_Provider::CDlgTabData_Provider(QWidget *parent)
    : PageBase(parent)
{
}

int CDlgTabData_Provider::SetSide(int side)
{
    m_nSide = side;
    return 1;
}

int CDlgTabData_Provider::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

int CDlgTabData_Provider::UpdateBillRow(const GoodsBillLines &)
{
    return 1;
}

int CDlgTabData_Provider::RemoveBillRow(const QString &)
{
    return 1;
}
