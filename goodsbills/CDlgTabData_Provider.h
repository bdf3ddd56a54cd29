#pragma once

#include <memory>

#include "CReportEvent_provider.h"
#include "GoodsBillLines.h"
#include "GoodsBillQuery.h"
#include "PageBase.h"
#include "SharedTypes.h"

class QComboBox;
class QModelIndex;
class QTableView;
class CDlgMainDlg;
class GoodsBillListModel;
class GridReport;

// The goods-bill report page of one side (told by SetSide: 0 purchase, 1
// sales): the bills a search found, one row per bill, sorted by time,
// company or amount; a double-click opens a bill in the goods bill editor;
// the list is printed and exported to an .xls workbook. The page never
// writes a bill: the editor does, and then calls UpdateBillRow or
// RemoveBillRow. The search is never run again by itself.
class CDlgTabData_Provider : public PageBase
{
    Q_OBJECT

public:
    explicit CDlgTabData_Provider(QWidget *parent = nullptr);
    ~CDlgTabData_Provider() override;

    int SetSide(int side);
    int SetMainDlg(CDlgMainDlg *mainDlg);
    int Side() const { return m_nSide; }

    // After the editor saved a bill opened from this page: rewrites the row
    // of the bill's GUID from its lines' header fields.
    int UpdateBillRow(const GoodsBillLines &lines);
    // After the editor deleted such a bill: removes the row of its GUID.
    int RemoveBillRow(const QString &guid);

    // Lists the bills the query finds, sorted by the chosen key; a failed
    // search says so and leaves the list empty.
    int ShowSearchResult(const GoodsBillQuery &query);
    // The parties' detail window: the party's bills dated firstDay to
    // lastDay, or all of them when the days are empty.
    void ShowPartyBills(const QString &partyName, const QString &firstDay, const QString &lastDay);

    const GoodsBillListModel &List() const { return *m_model; }
    QTableView *ListView() const { return m_view; }
    GridReport *ListReport() const { return m_report.get(); }

private:
    const GoodsBillSide &Descriptor() const;
    void SelectRow(int row);

    void OnFindBill();
    void SortBillList();
    void OnBillListDblClk(const QModelIndex &index);
    void ExportBillListToExcel();
    void OnPrintList();

    int m_nSide = BillListClient;
    CDlgMainDlg *m_pMainDlg = nullptr;
    GoodsBillListModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QComboBox *m_sortCombo = nullptr;
    // The report before its sink: the sink disconnects from a live report.
    std::unique_ptr<GridReport> m_report;
    CReportEvent_provider m_reportEvent;
};
