#pragma once

#include "PageBase.h"
#include "SharedTypes.h"

class QComboBox;

// Common ground of the goods-bill and finance-bill pages: the range combo
// (当天单据 / 当月单据, no choice lists all bills), the filter date and the
// page indexes that the main window resets before a date change.
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

private:
    QComboBox *m_range = nullptr;
    QString m_strFilterDate;
    int m_nDateFilter = BillDateAll;
};
