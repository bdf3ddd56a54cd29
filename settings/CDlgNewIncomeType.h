#pragma once

#include "CDlgParameterName.h"

// The name dialog of the 收支种类 list.
class CDlgNewIncomeType : public CDlgParameterName
{
    Q_OBJECT

public:
    explicit CDlgNewIncomeType(QWidget *parent = nullptr)
        : CDlgParameterName(ParameterList::IncomePayTypes(), parent)
    {
    }
};
