#pragma once

#include <QDialog>

#include <array>
#include <memory>

class QDateEdit;
class QTabWidget;
class ImageButton;
class CDlgFunctionSelDlg;
class CDlgTabClient;
class CDlgTabGoods;
class CDlgTabData_Provider;
class CDlgTabFina;
class CDlgTabData_Fina_Provider;
class CDlgTabStore;
class CDlgTabProductInfo;
class CDlgTabAccountMgr;
class CDlgTabSetting;
class CDlgTabProviderMgr;
class CDlgTabProviderGoods;
class CDlgTabFina_Provider;
class MainPartyBillCommands;
class CDlgNewShipmentLauncher;
class FinanceDepositEditor;

// The working window: five tab groups of pages, one visible at a time, and
// the working date that every page computes from. It creates every page
// once and tells the visible one to recompute when the date or the page
// changes. Closing it ends the program.
class CDlgMainDlg : public QDialog
{
    Q_OBJECT

public:
    enum Group { GroupClient = 0, GroupStore = 1, GroupAccounts = 2, GroupSettings = 3, GroupProvider = 4, GroupCount = 5 };

    explicit CDlgMainDlg(QWidget *parent = nullptr);
    ~CDlgMainDlg() override;

    void SetFunctionMenu(CDlgFunctionSelDlg *menu) { m_pFunctionMenu = menu; }

    int ShowTabGroup(int group);
    int SetCurrentPage(int page);
    // Makes a tab of a group the active one without raising the page
    // change that a person's click raises.
    void ActivateTab(int group, int tab);
    int VisibleGroup() const { return m_nVisibleGroup; }
    int CurrentPage() const { return m_nCurrentPage; }
    QTabWidget *TabGroup(int group) const;

    QString GetCurrentDate() const;
    // Makes the visible page recompute for the date ("" = working date).
    void RefreshPages(QString date);

    // The pages, kept for the program's life.
    CDlgTabClient *m_pTabClient = nullptr;
    CDlgTabGoods *m_pTabGoods = nullptr;
    CDlgTabData_Provider *m_pTabGoodsReportClient = nullptr;
    CDlgTabFina *m_pTabFina = nullptr;
    CDlgTabData_Fina_Provider *m_pTabFinaReportClient = nullptr;
    CDlgTabStore *m_pTabStore = nullptr;
    CDlgTabProductInfo *m_pTabProductInfo = nullptr;
    CDlgTabAccountMgr *m_pTabAccountMgr = nullptr;
    CDlgTabData_Fina_Provider *m_pTabFinaReportBoth = nullptr;
    CDlgTabSetting *m_pTabSetting = nullptr;
    CDlgTabProviderMgr *m_pTabProviderMgr = nullptr;
    CDlgTabProviderGoods *m_pTabProviderGoods = nullptr;
    CDlgTabData_Provider *m_pTabGoodsReportProvider = nullptr;
    CDlgTabFina_Provider *m_pTabFinaProvider = nullptr;
    CDlgTabData_Fina_Provider *m_pTabFinaReportProvider = nullptr;

    // Escape does nothing; only the close box ends the program.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

    // Enter ends and triggers nothing in the main window and its pages:
    // the dialog's own Enter handling, which clicks the default button, is
    // not used (and the program's buttons are never auto default).
    void keyPressEvent(QKeyEvent *event) override;

private:
    void CreatePages();
    void AddPage(int group, QWidget *page, const QString &caption);
    void OnDateChanged(const QDate &date);
    void OnPreviousDay();
    void OnNextDay();
    void OnActiveTabChanged(int group, int index);
    void OnFunctionMenu();
    void OnOnlineService();
    void OnBackup();
    void SetPickerDate(int year, int month, int day);

    // The bill commands the party pages' detail windows run. It goes
    // before the pages (children of the window), which never use it
    // while they are destroyed.
    std::unique_ptr<MainPartyBillCommands> m_partyBillCommands;
    std::unique_ptr<CDlgNewShipmentLauncher> m_goodsBillEditor;
    std::unique_ptr<FinanceDepositEditor> m_depositEditor;
    std::array<QTabWidget *, GroupCount> m_tabGroups{};
    int m_nVisibleGroup = 0;
    int m_nCurrentPage = 0;
    CDlgFunctionSelDlg *m_pFunctionMenu = nullptr;
    QDateEdit *m_datePicker = nullptr;
};
