#pragma once

#include "PageBase.h"

class CDlgMainDlg;

// The product-information page: the product list with search, print and
// export.
class CDlgTabProductInfo : public PageBase
{
    Q_OBJECT

public:
    explicit CDlgTabProductInfo(QWidget *parent = nullptr);

    int SetMainDlg(CDlgMainDlg *mainDlg);

private:
    CDlgMainDlg *m_pMainDlg = nullptr;
};
