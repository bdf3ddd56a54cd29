#pragma once

#include "PageBase.h"
#include "SharedTypes.h"

class CDlgMainDlg;

// The goods-bill report page: search results of one side or both.
class CDlgTabData_Provider : public PageBase
{
    Q_OBJECT

public:
    explicit CDlgTabData_Provider(QWidget *parent = nullptr);

    int SetSide(int side);
    int SetMainDlg(CDlgMainDlg *mainDlg);
    int Side() const { return m_nSide; }

private:
    int m_nSide = BillListClient;
    CDlgMainDlg *m_pMainDlg = nullptr;
};
