#pragma once

#include "PageBase.h"
#include "SharedTypes.h"

class QComboBox;
class QLabel;

// Common ground of the goods-bill and finance-bill pages: the range combo
// (当天单据 / 当月单据, no choice lists all bills) under its label in the
// page's top right corner, the filter date and the page indexes that the
// main window resets before a date change.
class BillPageBase : public PageBase
{
    Q_OBJECT

public:
    explicit BillPageBase(QWidget *parent = nullptr);

    QString FilterDate() const { return m_strFilterDate; }
    int DateFilter() const { return m_nDateFilter; }

    int m_nLastPage = 0;
    int m_nCurPage = 0;

protected:
    // Stores the date and the combo's filter (selection + 1).
    void ApplyFilterDate(const QString &date);
    QComboBox *RangeBox() const { return m_range; }
    QLabel *RangeLabel() const { return m_rangeLabel; }

    // Keeps the range label and combo in the top right corner, whether
    // the page shows cards or its empty state.
    void resizeEvent(QResizeEvent *event) override;

private:
    QComboBox *m_range = nullptr;
    QLabel *m_rangeLabel = nullptr;
    QString m_strFilterDate;
    int m_nDateFilter = BillDateAll;
};
