#include "FinanceBillPage.h"

FinanceBillPage::FinanceBillPage(Side side, QWidget *parent)
    : BillPageBase(parent)
    , m_side(side)
{
}

int FinanceBillPage::RefreshByDate(const QString &date)
{
    ApplyFilterDate(date);
    ShowEmptyState(true);
    return 1;
}

CDlgTabFina::CDlgTabFina(QWidget *parent)
    : FinanceBillPage(Side::Sales, parent)
{
}

CDlgTabFina_Provider::CDlgTabFina_Provider(QWidget *parent)
    : FinanceBillPage(Side::Purchase, parent)
{
}
