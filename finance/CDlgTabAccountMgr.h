#pragma once

#include "PageBase.h"

class CDlgMainDlg;

// The accounts page: account cards with their month figures.
class CDlgTabAccountMgr : public PageBase
{
    Q_OBJECT

public:
    explicit CDlgTabAccountMgr(QWidget *parent = nullptr);

    int SetMainDlg(CDlgMainDlg *mainDlg);
    void RefreshMonthTotals(const QString &date);

private:
    CDlgMainDlg *m_pMainDlg = nullptr;
};
