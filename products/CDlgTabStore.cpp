#include "CDlgTabStore.h"

CDlgTabStore::CDlgTabStore(QWidget *parent)
    : PageBase(parent)
{
}

void CDlgTabStore::UpdateProductMonthFigures(const QString &date)
{
    SetComputedDate(date);
}
