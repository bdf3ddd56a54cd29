#pragma once

#include "CDlgParameterName.h"

// The name dialog of the 凭证 list.
class CDlgNewVoucher : public CDlgParameterName
{
    Q_OBJECT

public:
    explicit CDlgNewVoucher(QWidget *parent = nullptr)
        : CDlgParameterName(ParameterList::Vouchers(), parent)
    {
    }
};
