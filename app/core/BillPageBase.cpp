#include "BillPageBase.h"

#include <QComboBox>
#include <QLabel>
#include <QResizeEvent>

#include <algorithm>

BillPageBase::BillPageBase(QWidget *parent)
    : PageBase(parent)
{
    // Placed by hand rather than in the page's layout, which stretches its
    // empty state and would move them as the cards come and go.
    m_rangeLabel = new QLabel(QStringLiteral("单据范围"), this);
    m_rangeLabel->setObjectName(QStringLiteral("billRangeLabel"));
    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("billRange"));
    m_range->addItems({QStringLiteral("当天单据"), QStringLiteral("当月单据")});
    m_range->setCurrentIndex(-1);
}

void BillPageBase::ApplyFilterDate(const QString &date)
{
    m_strFilterDate = date;
    m_nDateFilter = m_range->currentIndex() + 1;
    SetComputedDate(date);
}

void BillPageBase::resizeEvent(QResizeEvent *event)
{
    PageBase::resizeEvent(event);
    // Right-aligned 5 pixels from the edge, each wide enough for its
    // longest text.
    const int right = event->size().width() - 5;
    const int labelWidth = std::max(80, m_rangeLabel->sizeHint().width());
    const int rangeWidth = std::max(85, m_range->sizeHint().width());
    m_rangeLabel->setGeometry(right - labelWidth, 15, labelWidth, 20);
    m_range->setGeometry(right - rangeWidth, 40, rangeWidth, 24);
}
