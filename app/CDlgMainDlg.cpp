#include "CDlgMainDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "CDlgFunctionSelDlg.h"
#include "CDlgNewShipmentLauncher.h"
#include "CDlgOnlineServiceDlg.h"
#include "CDlgTabAccountMgr.h"
#include "CDlgTabData_Fina_Provider.h"
#include "CDlgTabData_Provider.h"
#include "CDlgTabProductInfo.h"
#include "CDlgTabSetting.h"
#include "CDlgTabStore.h"
#include "DataMaintenance.h"
#include "DatePicker.h"
#include "FinanceBillPage.h"
#include "FinanceDepositEditor.h"
#include "GlobalFunctions.h"
#include "GoodsBillPage.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "MainPartyBillCommands.h"
#include "PartyPage.h"

CDlgMainDlg::CDlgMainDlg(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    TraceLog(QStringLiteral("CDlgMainDlg::OnInitDialog"));
    // Sees every push button as it is polished, before it is first shown.
    setWindowTitle(kAppTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
    setSizeGripEnabled(true);
    resize(1100, 700);

    // Side buttons and the working date.
    auto makeButton = [this](const char *id, const QString &caption, const QString &image) {
        auto *button = new ImageButton(caption, this);
        button->setObjectName(QString::fromLatin1(id));
        if (!image.isEmpty())
            button->setImage(image, QSize(32, 32));
        return button;
    };
    ImageButton *menuButton = makeButton("1002", QStringLiteral("功能菜单"), QStringLiteral(":/images/icon136.svg"));
    ImageButton *serviceButton = makeButton("1004", QStringLiteral("在线服务"), QStringLiteral(":/images/icon140.svg"));
    ImageButton *backupButton = makeButton("1003", QStringLiteral("备份数据"), QStringLiteral(":/images/icon142.svg"));
    ImageButton *previousDay = makeButton("1008", QString(), QStringLiteral(":/images/bmp145.svg"));
    previousDay->setToolTip(QStringLiteral("前一天"));
    ImageButton *nextDay = makeButton("1009", QString(), QStringLiteral(":/images/bmp146.svg"));
    nextDay->setToolTip(QStringLiteral("后一天"));
    ImageButton *idle = makeButton("1001", QString(), QString());
    idle->hide();

    auto *dateLabel = new QLabel(QStringLiteral("当前日期："), this);
    dateLabel->setObjectName(QStringLiteral("1318"));
    m_datePicker = MakeDatePicker(this, QStringLiteral("1007"), QDate::currentDate());

    auto *side = new QVBoxLayout;
    side->addWidget(menuButton);
    side->addWidget(serviceButton);
    side->addWidget(backupButton);
    side->addStretch();
    side->addWidget(dateLabel);
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(previousDay);
    dateRow->addWidget(m_datePicker, 1);
    dateRow->addWidget(nextDay);
    side->addLayout(dateRow);

    // The page area: the five groups lie on each other, one shown.
    auto *pageArea = new QWidget(this);
    pageArea->setObjectName(QStringLiteral("1010"));
    auto *stack = new QGridLayout(pageArea);
    stack->setContentsMargins(0, 0, 0, 0);
    for (int group = 0; group < GroupCount; ++group) {
        auto *tabs = new QTabWidget(pageArea);
        tabs->setObjectName(QStringLiteral("group%1").arg(group));
        tabs->setMovable(false);
        tabs->setIconSize(QSize(24, 24));
        stack->addWidget(tabs, 0, 0);
        m_tabGroups[group] = tabs;
        connect(tabs, &QTabWidget::currentChanged, this, [this, group](int index) { OnActiveTabChanged(group, index); });
    }

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(pageArea, 1);
    layout->addLayout(side);

    CreatePages();
    for (int group = 1; group < GroupCount; ++group)
        m_tabGroups[group]->hide();

    // The goods bill editor, which the pages, the chooser, the report pages
    // and the parties' window open, and the finance bill editor through
    // which it writes deposits. Installed while this window lives; one that
    // is installed already (a test's scripted one) stays.
    m_goodsBillEditor = std::make_unique<CDlgNewShipmentLauncher>();
    m_goodsBillEditor->SetMainPages(m_pTabGoods, m_pTabProviderGoods, m_pTabStore);
    if (!GoodsBillEditorLauncher::current())
        GoodsBillEditorLauncher::install(m_goodsBillEditor.get());
    m_depositEditor = std::make_unique<FinanceDepositEditor>(m_pTabFina, m_pTabFinaProvider);
    if (!DepositEditor::current())
        DepositEditor::install(m_depositEditor.get());

    SetWorkingDateSource([this] { return m_datePicker->date(); });
    connect(m_datePicker, &QDateEdit::dateChanged, this, &CDlgMainDlg::OnDateChanged);
    connect(previousDay, &QPushButton::clicked, this, &CDlgMainDlg::OnPreviousDay);
    connect(nextDay, &QPushButton::clicked, this, &CDlgMainDlg::OnNextDay);
    connect(menuButton, &QPushButton::clicked, this, &CDlgMainDlg::OnFunctionMenu);
    connect(serviceButton, &QPushButton::clicked, this, &CDlgMainDlg::OnOnlineService);
    connect(backupButton, &QPushButton::clicked, this, &CDlgMainDlg::OnBackup);
}

CDlgMainDlg::~CDlgMainDlg()
{
    // The working date and the global pointer lead into this window; once
    // it is gone they must not.
    SetWorkingDateSource(nullptr);
    if (DepositEditor::current() == m_depositEditor.get())
        DepositEditor::install(nullptr);
    if (GoodsBillEditorLauncher::current() == m_goodsBillEditor.get())
        GoodsBillEditorLauncher::install(nullptr);
    if (g_pMainDlg == this)
        g_pMainDlg = nullptr;
}

void CDlgMainDlg::AddPage(int group, QWidget *page, const QString &caption)
{
    QTabWidget *tabs = m_tabGroups[group];
    const QSignalBlocker blocker(tabs);
    const int index = tabs->count();
    tabs->addTab(page, QIcon(QStringLiteral(":/images/tab%1.svg").arg(index)), caption);
}

void CDlgMainDlg::CreatePages()
{
    // The party pages' detail windows reach the bill editors and report
    // pages through the main window.
    m_partyBillCommands = std::make_unique<MainPartyBillCommands>(*this);

    QTabWidget *client = m_tabGroups[GroupClient];
    m_pTabClient = new CDlgTabClient(client);
    m_pTabClient->SetMainDlg(this);
    m_pTabClient->SetBillCommands(m_partyBillCommands.get());
    AddPage(GroupClient, m_pTabClient, QStringLiteral("客户管理"));
    m_pTabGoods = new CDlgTabGoods(client);
    m_pTabGoods->SetIntMember(this);
    AddPage(GroupClient, m_pTabGoods, QStringLiteral("货品单据"));
    m_pTabGoodsReportClient = new CDlgTabData_Provider(client);
    m_pTabGoodsReportClient->SetSide(BillListClient);
    m_pTabGoodsReportClient->SetMainDlg(this);
    AddPage(GroupClient, m_pTabGoodsReportClient, QStringLiteral("货品单据报表"));
    m_pTabFina = new CDlgTabFina(client);
    AddPage(GroupClient, m_pTabFina, QStringLiteral("财务单据"));
    m_pTabFinaReportClient = new CDlgTabData_Fina_Provider(client);
    m_pTabFinaReportClient->SetSide(BillListClient);
    m_pTabFinaReportClient->SetMainDlg(this);
    AddPage(GroupClient, m_pTabFinaReportClient, QStringLiteral("财务单据报表"));

    QTabWidget *store = m_tabGroups[GroupStore];
    m_pTabStore = new CDlgTabStore(store);
    AddPage(GroupStore, m_pTabStore, QStringLiteral("仓库管理"));
    m_pTabProductInfo = new CDlgTabProductInfo(store);
    m_pTabProductInfo->SetMainDlg(this);
    m_pTabProductInfo->SetStorePage(m_pTabStore);
    AddPage(GroupStore, m_pTabProductInfo, QStringLiteral("商品信息"));

    QTabWidget *accounts = m_tabGroups[GroupAccounts];
    m_pTabAccountMgr = new CDlgTabAccountMgr(accounts);
    m_pTabAccountMgr->SetMainDlg(this);
    AddPage(GroupAccounts, m_pTabAccountMgr, QStringLiteral("帐户管理"));
    m_pTabFinaReportBoth = new CDlgTabData_Fina_Provider(accounts);
    m_pTabFinaReportBoth->SetSide(BillListBoth);
    m_pTabFinaReportBoth->SetMainDlg(this);
    AddPage(GroupAccounts, m_pTabFinaReportBoth, QStringLiteral("财务单据报表"));

    QTabWidget *settings = m_tabGroups[GroupSettings];
    m_pTabSetting = new CDlgTabSetting(settings);
    AddPage(GroupSettings, m_pTabSetting, QStringLiteral("软件设置"));

    QTabWidget *provider = m_tabGroups[GroupProvider];
    m_pTabProviderMgr = new CDlgTabProviderMgr(provider);
    m_pTabProviderMgr->SetBillCommands(m_partyBillCommands.get());
    AddPage(GroupProvider, m_pTabProviderMgr, QStringLiteral("供应商管理"));
    m_pTabProviderGoods = new CDlgTabProviderGoods(provider);
    AddPage(GroupProvider, m_pTabProviderGoods, QStringLiteral("货品单据"));
    m_pTabGoodsReportProvider = new CDlgTabData_Provider(provider);
    m_pTabGoodsReportProvider->SetSide(BillListProvider);
    m_pTabGoodsReportProvider->SetMainDlg(this);
    AddPage(GroupProvider, m_pTabGoodsReportProvider, QStringLiteral("货品单据报表"));
    m_pTabFinaProvider = new CDlgTabFina_Provider(provider);
    AddPage(GroupProvider, m_pTabFinaProvider, QStringLiteral("财务单据"));
    m_pTabFinaReportProvider = new CDlgTabData_Fina_Provider(provider);
    m_pTabFinaReportProvider->SetSide(BillListProvider);
    m_pTabFinaReportProvider->SetMainDlg(this);
    AddPage(GroupProvider, m_pTabFinaReportProvider, QStringLiteral("财务单据报表"));

    // The finance-bill report pages open bills in the editor, which writes
    // through the finance pages; the account detail window lists an
    // account's bills on the accounts group's report page.
    for (CDlgTabData_Fina_Provider *report : {m_pTabFinaReportClient, m_pTabFinaReportBoth, m_pTabFinaReportProvider})
        report->SetFinancePages(m_pTabFina, m_pTabFinaProvider);
    m_pTabAccountMgr->SetReportPage(m_pTabFinaReportBoth);
    // The goods-bill report pages open bills in the editor, which refreshes
    // the goods-bill page of the bill's side after a write.
    for (CDlgTabData_Provider *report : {m_pTabGoodsReportClient, m_pTabGoodsReportProvider})
        report->SetGoodsPages(m_pTabGoods, m_pTabProviderGoods);
}

QTabWidget *CDlgMainDlg::TabGroup(int group) const
{
    return group >= 0 && group < GroupCount ? m_tabGroups[group] : nullptr;
}

int CDlgMainDlg::ShowTabGroup(int group)
{
    m_nVisibleGroup = group;
    if (group < 0 || group >= GroupCount)
        return 1;
    for (int i = 0; i < GroupCount; ++i)
        m_tabGroups[i]->setVisible(i == group);
    return 1;
}

int CDlgMainDlg::SetCurrentPage(int page)
{
    m_nCurrentPage = page;
    return 1;
}

void CDlgMainDlg::ActivateTab(int group, int tab)
{
    QTabWidget *tabs = TabGroup(group);
    if (!tabs)
        return;
    const QSignalBlocker blocker(tabs);
    tabs->setCurrentIndex(tab);
}

QString CDlgMainDlg::GetCurrentDate() const
{
    return DateText(m_datePicker->date());
}

void CDlgMainDlg::RefreshPages(QString date)
{
    if (date.isEmpty())
        date = GetCurrentDate();
    switch (m_nVisibleGroup) {
    case GroupClient:
        switch (m_nCurrentPage) {
        case 0:
            m_pTabClient->RefreshClientTotals(date);
            break;
        case 1:
            m_pTabGoods->m_nLastPage = 0;
            m_pTabGoods->m_nCurPage = 0;
            m_pTabGoods->ChangeDate(date);
            break;
        case 3:
            m_pTabFina->m_nLastPage = 0;
            m_pTabFina->m_nCurPage = 0;
            m_pTabFina->RefreshByDate(date);
            break;
        default:
            break;
        }
        break;
    case GroupStore:
        m_pTabStore->UpdateProductMonthFigures(date);
        break;
    case GroupAccounts:
        m_pTabAccountMgr->RefreshMonthTotals(date);
        break;
    case GroupProvider:
        switch (m_nCurrentPage) {
        case 0:
            m_pTabProviderMgr->UpdateProviderBalances(date);
            break;
        case 1:
            m_pTabProviderGoods->m_nLastPage = 0;
            m_pTabProviderGoods->m_nCurPage = 0;
            m_pTabProviderGoods->ChangeDate(date);
            break;
        case 3:
            m_pTabFinaProvider->m_nLastPage = 0;
            m_pTabFinaProvider->m_nCurPage = 0;
            m_pTabFinaProvider->RefreshByDate(date);
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

void CDlgMainDlg::OnDateChanged(const QDate &date)
{
    TraceLog(QStringLiteral("OnDtnDatetimechangeDateCurrentdate"));
    const QString text = DateText(date);
    TraceLog(text);
    RefreshPages(text);
}

void CDlgMainDlg::SetPickerDate(int year, int month, int day)
{
    {
        // Only a person's change of the picker raises its notification;
        // the explicit refresh below stands in for it.
        const QSignalBlocker blocker(m_datePicker);
        m_datePicker->setDate(QDate(year, month, day));
    }
    const QString text = DateText(year, month, day);
    TraceLog(text);
    RefreshPages(text);
}

void CDlgMainDlg::OnPreviousDay()
{
    YmdInfo ymd;
    GetYmdByDate(GetCurrentDate(), ymd);
    int year = ymd.nYear;
    int month = ymd.nMonth;
    int day = ymd.nDay - 1;
    if (day < 1) {
        if (--month < 1) {
            month = 12;
            --year;
        }
        day = GetMonthDays(year, month);
    }
    SetPickerDate(year, month, day);
}

void CDlgMainDlg::OnNextDay()
{
    YmdInfo ymd;
    GetYmdByDate(GetCurrentDate(), ymd);
    int year = ymd.nYear;
    int month = ymd.nMonth;
    int day = ymd.nDay + 1;
    if (day > GetMonthDays(year, month)) {
        if (++month > 12) {
            month = 1;
            ++year;
        }
        day = 1;
    }
    SetPickerDate(year, month, day);
}

void CDlgMainDlg::OnActiveTabChanged(int group, int index)
{
    // Only the visible group's tabs can be clicked.
    if (group != m_nVisibleGroup)
        return;
    TraceLog(QStringLiteral("BCGM_CHANGE_ACTIVE_TAB: %1").arg(index));
    SetCurrentPage(index);
    RefreshPages(QString());
}

void CDlgMainDlg::OnFunctionMenu()
{
    if (!m_pFunctionMenu)
        return;
    m_pFunctionMenu->SetCurrentGroup(m_nVisibleGroup);
    m_pFunctionMenu->UpdatePasswordPicture();
    m_pFunctionMenu->showNormal();
    m_pFunctionMenu->raise();
    m_pFunctionMenu->activateWindow();
}

void CDlgMainDlg::OnOnlineService()
{
    CDlgOnlineServiceDlg dialog(this);
    Interaction::current().runModal(&dialog);
}

void CDlgMainDlg::OnBackup()
{
    BackupDatabase(this);
}

void CDlgMainDlg::reject()
{
}

// --- Enter and default buttons -------------------------------------------

void CDlgMainDlg::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// --- end of Enter and default buttons --------------------------------------

void CDlgMainDlg::closeEvent(QCloseEvent *event)
{
    event->accept();
    // exit() rather than quit(): quit() would first try to close every
    // window, and the menu refuses to close.
    QApplication::exit(0);
}
