#pragma once

#include <QList>
#include <QString>

#include <memory>

#include "CFinanceMonthBalanceReportEvent.h"
#include "CProductFinaSumReportEvent.h"
#include "FinanceSumRows.h"
#include "PageBase.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

class QLabel;
class GridReport;
class ImageButton;
class CDlgMainDlg;
class CDlgTabData_Fina_Provider;

// The accounts page "帐户管理": the accounts as pages of cards, each showing
// its balance at the end of the working month and the month's figure
// (worked out from the finance bills of both sides after every listing,
// shown only, never written), the sum of all balances as 总金额, and the
// 财务月结 report over a chosen period. It is the one writer of account
// rows: the account dialogs hand it their record, and its cards change
// only after the write committed.
class CDlgTabAccountMgr : public PageBase, public AccountButtonOwner
{
    Q_OBJECT

public:
    explicit CDlgTabAccountMgr(QWidget *parent = nullptr);
    // A page whose card pool holds poolSize cards whatever the screen
    // (tests and benchmarks; the program sizes the pool from the screen).
    CDlgTabAccountMgr(int poolSize, QWidget *parent);
    ~CDlgTabAccountMgr() override;

    // Kept for the main window, which sets it; the page reaches its report
    // page through SetReportPage and its tab window through its parents.
    int SetMainDlg(CDlgMainDlg *mainDlg);
    // The figures of the shown cards and 总金额 for the month of date. The
    // main window calls it when the working date changes.
    void RefreshMonthTotals(const QString &date);
    int ResetButtonFaces();

    // Writers of account rows. Each shows its own message and answers
    // false when nothing was written (a name another account has, a row
    // gone meanwhile, a database error); true only after the commit.
    // Adds the account and lists the last page.
    bool AddAccount(const struct_button_account &account);
    // Renames the account of the record's GUID (its bills follow it) and
    // lists the current page again.
    bool UpdateAccount(const struct_button_account &account);
    // Deletes the account and lists the current page again.
    bool DeleteAccount(const struct_button_account &account);

    // Makes the accounts group show its tab of that index (1: 财务单据报表).
    int ShowMainTab(int index);
    // The accounts group's finance-bill report page, where the account
    // detail window lists an account's bills; null until the main window
    // gives it.
    void SetReportPage(CDlgTabData_Fina_Provider *page) { m_pReportPage = page; }
    CDlgTabData_Fina_Provider *AccountsReportPage() const { return m_pReportPage; }

    // 财务月结: asks for the period (preset to the working month) and shows
    // the report of all accounts over it.
    void OnBnClickedMonthBalance();

    // What the page shows.
    int RecordCount() const { return m_pool->grid().recordCount(); }
    int PageIndex() const { return m_pool->grid().currentPage(); }
    int LastPageIndex() const { return m_pool->grid().lastPageIndex(); }
    int PageCapacity() const { return m_pool->grid().capacity(); }
    int PoolSize() const { return m_pool->size(); }
    CBCGPAccountMgrButton *AccountButton(int index) const { return m_pool->card(index); }
    QString PageLine() const;
    QString TotalText() const;
    const QList<ProductFinaSumInfo> &SumRows() const { return m_sumRows; }
    GridReport *FinanceSumReport() const { return m_sumReport.get(); }
    GridReport *MonthBalanceReport() const { return m_monthBalanceReport.get(); }

    // AccountButtonOwner: what a card asks of its page.
    void ResetCardFaces() override { ResetButtonFaces(); }
    int OpenCardRecord(CBCGPAccountMgrButton &card, int mode) override;
    bool DeleteCardRecord(const struct_button_account &record) override { return DeleteAccount(record); }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateControls();
    void InitReports();
    // Fits the card grid to the page; when the cards per page changed,
    // page 0 is listed again.
    bool LayoutButtons(int width, int height);
    void ShowPageInfo();
    // Reads the page's accounts into the cards and works out their
    // figures; false when nothing was listed.
    bool ListPage(int page);
    void ShowLastPage();
    void ComputeFigures(const QString &date);

    void OnPrevPage();
    void OnNextPage();
    void OnNewAccount();

    CDlgMainDlg *m_pMainDlg = nullptr;
    CDlgTabData_Fina_Provider *m_pReportPage = nullptr;
    std::unique_ptr<RecordCardPool<CBCGPAccountMgrButton>> m_pool;
    QList<ProductFinaSumInfo> m_sumRows;
    // The month-balance report is prepared with its sink, but nothing
    // fills or shows it.
    QList<FinanceMonthBalanceInfo> m_monthBalanceRows;
    std::unique_ptr<GridReport> m_monthBalanceReport;
    std::unique_ptr<GridReport> m_sumReport;
    // After the reports: a sink disconnects before its report goes.
    std::unique_ptr<CFinanceMonthBalanceReportEvent> m_monthBalanceEvent;
    std::unique_ptr<CProductFinaSumReportEvent> m_sumEvent;

    ImageButton *m_prevButton = nullptr;
    ImageButton *m_newButton = nullptr;
    ImageButton *m_nextButton = nullptr;
    ImageButton *m_monthBalanceButton = nullptr;
    QLabel *m_totalLabel = nullptr;
    QLabel *m_pageLine = nullptr;
};
