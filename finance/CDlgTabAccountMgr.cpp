#include "CDlgTabAccountMgr.h"

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QResizeEvent>
#include <QSet>
#include <QTabWidget>

#include <algorithm>
#include <limits>
#include <optional>

#include "AccountFigures.h"
#include "AccountStore.h"
#include "AccountWriter.h"
#include "CDlgAccountDetail.h"
#include "CDlgNewAccount.h"
#include "CDlgPrtMonthSelDate.h"
#include "Database.h"
#include "FinanceImages.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"

namespace {

// Runs one write of an account and says why it was refused or failed;
// nothing when it failed.
template <typename Write>
std::optional<AccountWriter::Result> writeAccount(const QString &name, const QString &failure, Write write)
{
    AccountWriter::Result result = AccountWriter::Result::Done;
    try {
        AccountWriter writer(connection());
        result = write(writer);
    } catch (const DbError &error) {
        ShowDbError(error, failure);
        return std::nullopt;
    }
    switch (result) {
    case AccountWriter::Result::Done:
        break;
    case AccountWriter::Result::NameTaken:
        ShowInfoMessage(AccountNameTakenMessage(name));
        break;
    case AccountWriter::Result::Gone:
        ShowInfoMessage(QStringLiteral("该帐户已不存在，可能已被删除。"));
        break;
    case AccountWriter::Result::NoGuid:
        ShowErrorMessage(QStringLiteral("帐户缺少标识（GUID），未能保存。"));
        break;
    }
    return result;
}

} // namespace

CDlgTabAccountMgr::CDlgTabAccountMgr(QWidget *parent)
    : CDlgTabAccountMgr(RecordCardPool<CBCGPAccountMgrButton>::ScreenPoolSize(), parent)
{
}

CDlgTabAccountMgr::CDlgTabAccountMgr(int poolSize, QWidget *parent)
    : PageBase(parent)
{
    SetEmptyPicture(QStringLiteral("1319"), FinanceImage("bmp308.svg"));
    CreateControls();
    m_pool = std::make_unique<RecordCardPool<CBCGPAccountMgrButton>>(this, this, poolSize);
    m_pool->layout(size());
    InitReports();
    // The figures are the working date's (ListPage), never the UTC clock's:
    // near midnight the two differ.
    ListPage(0);
}

CDlgTabAccountMgr::~CDlgTabAccountMgr() = default;

void CDlgTabAccountMgr::CreateControls()
{
    m_prevButton = MakePictureButton(this, "1199", QStringLiteral("上一页"));
    m_newButton = MakePictureButton(this, "1095", QStringLiteral("新增帐户"));
    m_nextButton = MakePictureButton(this, "1200", QStringLiteral("下一页"));
    m_monthBalanceButton
        = MakePictureButton(this, "1201", QStringLiteral("财务月结"), QStringLiteral(":/images/icon238.svg"));
    m_totalLabel = MakeIdLabel(this, "1202", QString());
    m_totalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pageLine = MakeIdLabel(this, "1434", QString());

    connect(m_prevButton, &QPushButton::clicked, this, &CDlgTabAccountMgr::OnPrevPage);
    connect(m_nextButton, &QPushButton::clicked, this, &CDlgTabAccountMgr::OnNextPage);
    connect(m_newButton, &QPushButton::clicked, this, &CDlgTabAccountMgr::OnNewAccount);
    connect(m_monthBalanceButton, &QPushButton::clicked, this, &CDlgTabAccountMgr::OnBnClickedMonthBalance);
}

void CDlgTabAccountMgr::InitReports()
{
    m_monthBalanceReport = LoadReportTemplate("FinanceMonthBalanceReport.grf");
    m_monthBalanceEvent = std::make_unique<CFinanceMonthBalanceReportEvent>();
    m_monthBalanceEvent->ConnectTo(m_monthBalanceReport.get());

    m_sumReport = LoadReportTemplate("FinanceSumReport.grf");
    m_sumEvent = std::make_unique<CProductFinaSumReportEvent>();
    m_sumEvent->ConnectTo(m_sumReport.get());
}

int CDlgTabAccountMgr::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

void CDlgTabAccountMgr::resizeEvent(QResizeEvent *event)
{
    PageBase::resizeEvent(event);
    const int w = event->size().width();
    const int h = event->size().height();
    PlacePagingRow(m_prevButton, m_newButton, m_nextButton, m_pageLine, event->size());
    m_monthBalanceButton->setGeometry(w - 90, 15, 85, 60);
    m_totalLabel->setGeometry(std::max(0, w - 260), h - 17, 250, 16);
    LayoutButtons(w, h);
}

bool CDlgTabAccountMgr::LayoutButtons(int width, int height)
{
    const int capacity = PageCapacity();
    if (!m_pool->layout(QSize(width, height)))
        return false;
    // The cards kept the accounts of the old page size: list page 0 in the
    // new one rather than show a page line that does not match the cards.
    if (PageCapacity() != capacity)
        ListPage(0);
    ShowPageInfo();
    return true;
}

QString CDlgTabAccountMgr::PageLine() const
{
    return m_pageLine->text();
}

QString CDlgTabAccountMgr::TotalText() const
{
    return m_totalLabel->text();
}

void CDlgTabAccountMgr::ShowPageInfo()
{
    m_pageLine->setText(m_pool->grid().pageLine(PagingGrid::PageLineForm::WithTotal));
}

bool CDlgTabAccountMgr::ListPage(int page)
{
    int count = 0;
    QList<struct_button_account> accounts;
    try {
        AccountStore store(connection());
        count = store.CountAccounts();
        PagingGrid pages = m_pool->grid();
        pages.setRecordCount(count);
        page = std::clamp(page, 0, std::max(0, pages.lastPageIndex()));
        if (count > 0)
            accounts = store.AccountsPage(page * PageCapacity(), PageCapacity());
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取帐户失败。"));
        return false;
    }

    PagingGrid &grid = m_pool->grid();
    grid.setRecordCount(count);
    grid.setCurrentPage(page);
    m_pool->showRecords(accounts);
    ShowPageInfo();
    ShowEmptyState(count == 0);
    ComputeFigures(GetCurDateString());
    return !accounts.isEmpty();
}

void CDlgTabAccountMgr::ShowLastPage()
{
    // ListPage keeps the page within the pages there are.
    ListPage(std::numeric_limits<int>::max() / 2);
}

void CDlgTabAccountMgr::RefreshMonthTotals(const QString &date)
{
    SetComputedDate(date);
    ComputeFigures(date);
}

void CDlgTabAccountMgr::ComputeFigures(const QString &date)
{
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    const QString month = day.isValid() ? date : GetCurDateString();
    QList<struct_button_account> accounts;
    QHash<QString, AccountRangeSums> sums;
    try {
        accounts = AccountStore(connection()).AllAccounts();
        QStringList names;
        for (const struct_button_account &account : std::as_const(accounts))
            names << account.AccountName;
        sums = AccountFigures(connection()).RangeSums(names, MonthFirstDay(month), MonthLastDay(month));
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("计算帐户金额失败。"));
        return;
    }

    // 总金额 counts each name once: namesakes share their bills.
    double total = 0.0;
    QSet<QString> counted;
    for (const struct_button_account &account : std::as_const(accounts)) {
        if (counted.contains(account.AccountName))
            continue;
        counted.insert(account.AccountName);
        total += sums.value(account.AccountName).closingBalance();
    }
    m_totalLabel->setText(QStringLiteral("总金额 %1 元").arg(DoubleToStr(total)));

    for (int k = 0; k < m_pool->shownCount(); ++k) {
        CBCGPAccountMgrButton *card = m_pool->card(k);
        if (card->record().EmptySlot == 1)
            continue;
        // The figures live on the card only; the stored balance is the
        // recomputation's to write.
        struct_button_account record = card->record();
        const AccountRangeSums figures = sums.value(record.AccountName);
        record.AccountBalance = DoubleToStr(figures.closingBalance());
        record.MonthBalance = DoubleToStr(figures.within.balance());
        card->SetRecord(record);
    }
}

int CDlgTabAccountMgr::ResetButtonFaces()
{
    return m_pool->ResetFaces();
}

bool CDlgTabAccountMgr::AddAccount(const struct_button_account &account)
{
    const auto result = writeAccount(account.AccountName, QStringLiteral("新增帐户失败。"),
                                     [&](AccountWriter &writer) { return writer.Add(account); });
    if (result != AccountWriter::Result::Done)
        return false;
    ShowLastPage();
    return true;
}

bool CDlgTabAccountMgr::UpdateAccount(const struct_button_account &account)
{
    const auto result = writeAccount(account.AccountName, QStringLiteral("修改帐户失败。"),
                                     [&](AccountWriter &writer) { return writer.Update(account); });
    // An account gone meanwhile leaves the page too.
    if (result == AccountWriter::Result::Done || result == AccountWriter::Result::Gone)
        ListPage(PageIndex());
    return result == AccountWriter::Result::Done;
}

bool CDlgTabAccountMgr::DeleteAccount(const struct_button_account &account)
{
    const auto result = writeAccount(account.AccountName, QStringLiteral("删除帐户失败。"),
                                     [&](AccountWriter &writer) { return writer.Delete(account.GUID); });
    if (!result || result == AccountWriter::Result::NoGuid)
        return false;
    // Deleted now or gone meanwhile: either way the account is no more, and
    // the page shows what is left.
    ListPage(PageIndex());
    return true;
}

int CDlgTabAccountMgr::ShowMainTab(int index)
{
    // The accounts group's tab window holds this page; choosing its tab is
    // what a click on the tab does.
    for (QWidget *widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
            tabs->setCurrentIndex(index);
            return 1;
        }
    }
    return 0;
}

int CDlgTabAccountMgr::OpenCardRecord(CBCGPAccountMgrButton &card, int)
{
    CDlgAccountDetail dialog(this);
    dialog.SetAccountRecord(card.record());
    dialog.SetAccountButton(&card);
    dialog.SetOwnerPage(this);
    return Interaction::current().runModal(&dialog);
}

void CDlgTabAccountMgr::OnPrevPage()
{
    ListPage(std::max(0, PageIndex() - 1));
}

void CDlgTabAccountMgr::OnNextPage()
{
    // On the last of several pages nothing happens; a single page is listed
    // again.
    PagingGrid pages = m_pool->grid();
    if (pages.nextPage())
        ListPage(pages.currentPage());
    else if (LastPageIndex() < 1)
        ListPage(0);
}

void CDlgTabAccountMgr::OnNewAccount()
{
    CDlgNewAccount dialog(this);
    dialog.SetOwnerPage(this);
    Interaction::current().runModal(&dialog);
}

void CDlgTabAccountMgr::OnBnClickedMonthBalance()
{
    const QString today = GetCurDateString();
    CDlgPrtMonthSelDate dialog(this);
    dialog.SetOwnerPage(this);
    dialog.SetDateRange(MonthFirstDay(today), MonthLastDay(today));
    dialog.SetHideZeroOption(1);
    if (Interaction::current().runModal(&dialog) != 1)
        return;
    PeriodRange period;
    dialog.GetResult(period);
    try {
        m_sumRows = BuildFinanceSumRows(connection(), period.StartDate, period.EndDate);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("计算财务月结失败。"));
        return;
    }
    if (ReportParameter *title = m_sumReport->FindParameterByName(QStringLiteral("TitleMonth")))
        title->SetAsText(FinanceSumTitle(period.StartDate, period.EndDate));
    m_sumEvent->SetRecords(m_sumRows);
    if (!m_sumReport->ShowReport(true))
        ShowErrorMessage(m_sumReport->lastError());
}
