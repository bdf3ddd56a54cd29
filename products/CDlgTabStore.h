#pragma once

#include "PageBase.h"

// The store page: product cards with their stock up to the end of the
// working month.
class CDlgTabStore : public PageBase
{
    Q_OBJECT

public:
    explicit CDlgTabStore(QWidget *parent = nullptr);

    void UpdateProductMonthFigures(const QString &date);
};
