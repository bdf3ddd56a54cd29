#pragma once

#include "BillPageBase.h"

class CDlgMainDlg;

// The goods-bill page of one side (sales or purchase): bill tiles of the
// chosen day or month, a page at a time.
class GoodsBillPage : public BillPageBase
{
    Q_OBJECT

public:
    enum class Side { Sales, Purchase };
    GoodsBillPage(Side side, QWidget *parent = nullptr);

    Side BillSide() const { return m_side; }
    // Lists the bills of the date under the range combo's filter, on the
    // current page.
    int ChangeDate(const QString &date);
    // After a bill was added: counts again under the filter and shows the
    // last page.
    void ShowLastPage();
    // After a bill was changed or deleted: lists the current page again,
    // clamped to the last page.
    void RelistCurrentPage();

private:
    Side m_side;
};

class CDlgTabGoods : public GoodsBillPage
{
    Q_OBJECT

public:
    explicit CDlgTabGoods(QWidget *parent = nullptr);
    int SetIntMember(CDlgMainDlg *mainDlg);

private:
    CDlgMainDlg *m_pMainDlg = nullptr;
};

class CDlgTabProviderGoods : public GoodsBillPage
{
    Q_OBJECT

public:
    explicit CDlgTabProviderGoods(QWidget *parent = nullptr);
};
