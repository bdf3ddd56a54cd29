#pragma once

#include "BillPageBase.h"

// The finance-bill page of one side: bill cards of the chosen day or
// month, a page at a time.
class FinanceBillPage : public BillPageBase
{
    Q_OBJECT

public:
    enum class Side { Sales, Purchase };
    FinanceBillPage(Side side, QWidget *parent = nullptr);

    Side BillSide() const { return m_side; }
    int RefreshByDate(const QString &date);

private:
    Side m_side;
};

class CDlgTabFina : public FinanceBillPage
{
    Q_OBJECT

public:
    explicit CDlgTabFina(QWidget *parent = nullptr);
};

class CDlgTabFina_Provider : public FinanceBillPage
{
    Q_OBJECT

public:
    explicit CDlgTabFina_Provider(QWidget *parent = nullptr);
};
