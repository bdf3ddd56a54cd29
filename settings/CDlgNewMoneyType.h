#pragma once

#include "CDlgParameterName.h"

// The name dialog of the 款项类别 list.
class CDlgNewMoneyType : public CDlgParameterName
{
    Q_OBJECT

public:
    explicit CDlgNewMoneyType(QWidget *parent = nullptr)
        : CDlgParameterName(ParameterList::MoneyTypes(), parent)
    {
    }
};
