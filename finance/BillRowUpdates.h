#pragma once

#include "RecordTypes.h"

// How the finance bill editor tells the finance-bill report page that
// opened it (modes 8/9 and 14/15) about a bill it saved or deleted. The
// report page implements it; the editor only calls it after the write
// committed. Rows are found by the bill's GUID.
class BillRowUpdates
{
public:
    virtual ~BillRowUpdates() = default;

    virtual int UpdateBillRow(const struct_button_financebill &bill) = 0;
    virtual int UpdateBillRow(const struct_button_financebill_provider &bill) = 0;
    virtual int RemoveBillRow(const struct_button_financebill &bill) = 0;
    virtual int RemoveBillRow(const struct_button_financebill_provider &bill) = 0;

protected:
    BillRowUpdates() = default;
    BillRowUpdates(const BillRowUpdates &) = default;
    BillRowUpdates &operator=(const BillRowUpdates &) = default;
};
