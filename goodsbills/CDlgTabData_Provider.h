#pragma once

#include "GoodsBillLines.h"
#include "PageBase.h"
#include "SharedTypes.h"

class CDlgMainDlg;

// The goods-bill report page: search results of one side or both.
class CDlgTabData_Provider : public PageBase
{
    Q_OBJECT

public:
    explicit CDlgTabData_Provider(QWidget *parent = nullptr);

    int SetSide(int side);
    int SetMainDlg(CDlgMainDlg *mainDlg);
    int Side() const { return m_nSide; }

    // After the editor saved a bill opened from this page: rewrites the row
    // of the bill's GUID from its lines' header fields.
    int UpdateBillRow(const GoodsBillLines &lines);
    // After the editor deleted such a bill: removes the row of its GUID.
    int RemoveBillRow(const QString &guid);

private:
    int m_nSide = BillListClient;
    CDlgMainDlg *m_pMainDlg = nullptr;
};
