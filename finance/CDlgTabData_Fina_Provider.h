#pragma once

#include <QString>

#include <memory>

#include "BillRowUpdates.h"
#include "CReportEvent_Fina_Provider.h"
#include "FinanceBillListModel.h"
#include "FinanceBillQuery.h"
#include "PageBase.h"
#include "SharedTypes.h"

class QComboBox;
class QTableView;
class GridReport;
class CDlgMainDlg;
class FinanceBillPage;

// The finance-bill report page "财务单据报表": the finance bills a search,
// an account's detail window or a party's detail window asked for, of the
// page's side (the provider table, the client table, or both), as a list
// that is sorted, printed and exported as shown. A double-click opens a
// bill in the finance bill editor, which then tells this page (as its
// BillRowUpdates) to rewrite or remove the bill's row. The page never
// writes the database.
class CDlgTabData_Fina_Provider : public PageBase, public BillRowUpdates
{
    Q_OBJECT

public:
    explicit CDlgTabData_Fina_Provider(QWidget *parent = nullptr);
    ~CDlgTabData_Fina_Provider() override;

    // The BillListSide: 0 provider, 1 client, 2 both.
    int SetSide(int side);
    // Kept for the main window, which sets it; the page reaches the finance
    // pages through SetFinancePages.
    int SetMainDlg(CDlgMainDlg *mainDlg);
    int Side() const { return m_nSide; }
    // The main window's finance pages, which write the bills the editor
    // opened from this page saves or deletes.
    void SetFinancePages(FinanceBillPage *salesPage, FinanceBillPage *purchasePage);

    // Lists the bills the query selects, in the order of its tables and
    // each table's order; a page of side 0 or 1 reads only its own table.
    // The sort choice is not applied. A failed query says so and leaves
    // the list empty.
    int ShowSearchResult(const FinanceBillQuery &query);
    // The bills of one party of the page's side dated firstDay to lastDay
    // (both included), or all of them when both are empty.
    void ShowPartyBills(const QString &partyName, const QString &firstDay, const QString &lastDay);

    // BillRowUpdates: after the editor saved or deleted a bill opened from
    // this page, its row (found by table and GUID) is rewritten or removed.
    int UpdateBillRow(const struct_button_financebill &bill) override;
    int UpdateBillRow(const struct_button_financebill_provider &bill) override;
    int RemoveBillRow(const struct_button_financebill &bill) override;
    int RemoveBillRow(const struct_button_financebill_provider &bill) override;

    // The commands of the page's buttons, list and sort box.
    void OnFindBill();
    void ExportBillListToExcel();
    void OnPrintList();
    void SortBillList();
    void OnBillListDblClk(int row);

    const FinanceBillListModel &ListModel() const { return *m_model; }
    QTableView *ListView() const { return m_list; }
    GridReport *ListReport() const { return m_report.get(); }

private:
    void LoadListReport();
    void SelectRow(int row);
    void UpdateRow(PartySide table, const struct_button_financebill &bill);
    void RemoveRow(PartySide table, const QString &guid);

    int m_nSide = BillListClient;
    CDlgMainDlg *m_pMainDlg = nullptr;
    FinanceBillPage *m_pSalesPage = nullptr;
    FinanceBillPage *m_pPurchasePage = nullptr;
    FinanceBillListModel *m_model = nullptr;
    QTableView *m_list = nullptr;
    QComboBox *m_sortCombo = nullptr;
    // The report before its sink: the sink disconnects from a live report.
    std::unique_ptr<GridReport> m_report;
    CReportEvent_Fina_Provider m_reportEvent;
};
