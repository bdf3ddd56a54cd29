#include "BillPageBase.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

BillPageBase::BillPageBase(QWidget *parent)
    : PageBase(parent)
{
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("单据范围："), this));
    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("billRange"));
    m_range->addItems({QStringLiteral("当天单据"), QStringLiteral("当月单据")});
    m_range->setCurrentIndex(-1);
    bar->addWidget(m_range);
    bar->addStretch();
    PageLayout()->insertLayout(0, bar);
}

void BillPageBase::ApplyFilterDate(const QString &date)
{
    m_strFilterDate = date;
    m_nDateFilter = m_range->currentIndex() + 1;
    SetComputedDate(date);
}
