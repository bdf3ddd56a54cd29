#include "FinanceBillPage.h"

#include <QComboBox>
#include <QLabel>
#include <QResizeEvent>

#include <algorithm>
#include <type_traits>

#include "CDlgNewIncomeBill.h"
#include "CDlgSelFinanceBillDlg.h"
#include "Database.h"
#include "FinanceBillWriter.h"
#include "FinanceImages.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"

namespace {

// The control ids of the two pages.
struct PageIds
{
    const char *prev;
    const char *newBill;
    const char *next;
    const char *range;
    const char *picture;
    const char *rangeLabel;
    const char *pageLine;
};
constexpr PageIds kSalesIds{"1127", "1128", "1129", "1296", "1297", "1345", "1436"};
constexpr PageIds kPurchaseIds{"1373", "1374", "1375", "1377", "1376", "1363", "1427"};

} // namespace

FinanceBillPage::FinanceBillPage(const FinanceBillSide &side, QWidget *parent)
    : BillPageBase(parent)
    , m_side(side)
{
    const PageIds &ids = side.party == PartyProvider ? kPurchaseIds : kSalesIds;
    SetEmptyPicture(QString::fromLatin1(ids.picture), FinanceImage("bmp296.svg"));

    // The range box and its caption stand in the top right corner, where
    // the common base keeps them.
    RangeBox()->setObjectName(QString::fromLatin1(ids.range));
    RangeBox()->setCurrentIndex(0);
    RangeLabel()->setObjectName(QString::fromLatin1(ids.rangeLabel));

    m_prevButton = MakeCommandButton(this, ids.prev, QStringLiteral("上一页"));
    m_newButton = MakeCommandButton(this, ids.newBill, QStringLiteral("新增财务单据"));
    m_nextButton = MakeCommandButton(this, ids.next, QStringLiteral("下一页"));
    m_pageLine = new QLabel(this);
    m_pageLine->setObjectName(QString::fromLatin1(ids.pageLine));

    connect(m_prevButton, &QPushButton::clicked, this, &FinanceBillPage::OnPrevPage);
    connect(m_newButton, &QPushButton::clicked, this, &FinanceBillPage::OnNewBill);
    connect(m_nextButton, &QPushButton::clicked, this, &FinanceBillPage::OnNextPage);
    connect(RangeBox(), &QComboBox::currentIndexChanged, this, &FinanceBillPage::OnSelchangeBillRange);
}

void FinanceBillPage::Start()
{
    LayoutCards(size());
    // The opening listing is the page's own, not a recomputation the main
    // window asked for: the computed date stays empty.
    m_filter = FinanceBillFilter{static_cast<BillDateFilter>(RangeBox()->currentIndex() + 1), GetCurDateString()};
    ListPage(0);
}

void FinanceBillPage::UseFilterDate(const QString &date)
{
    ApplyFilterDate(date);
    m_filter = FinanceBillFilter{static_cast<BillDateFilter>(DateFilter()), FilterDate()};
}

QString FinanceBillPage::PageLine() const
{
    return m_pageLine->text();
}

int FinanceBillPage::RefreshByDate(const QString &date)
{
    UseFilterDate(date);
    ListPage(m_nCurPage);
    return 1;
}

int FinanceBillPage::ReadDataByPage(int page)
{
    return ListPage(page) ? 1 : 0;
}

bool FinanceBillPage::ListPage(int page)
{
    const FinanceBillFilter filter = m_filter;
    PagingGrid &grid = Grid();
    QList<struct_button_financebill> bills;
    int count = 0;
    try {
        FinanceBillStore store(connection(), m_side);
        count = store.CountBills(filter);
        // The page within the pages there are: a list that shrank (or a
        // bill written outside the filter) shows its last page.
        PagingGrid pages = grid;
        pages.setRecordCount(count);
        pages.setCurrentPage(page);
        if (count > 0)
            bills = store.BillsPage(filter, pages.firstRecordOfPage(), pages.capacity());
        page = pages.currentPage();
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取财务单据失败。"));
        return false;
    }
    grid.setRecordCount(count);
    grid.setCurrentPage(page);
    m_nCurPage = grid.currentPage();
    m_nLastPage = std::max(0, grid.lastPageIndex());
    ShowBills(bills);
    ShowPageInfo();
    ShowEmptyState(VisibleCardCount() == 0);
    return !bills.isEmpty();
}

void FinanceBillPage::ShowLastPage()
{
    int count = 0;
    try {
        count = FinanceBillStore(connection(), m_side).CountBills(m_filter);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取财务单据失败。"));
        return;
    }
    PagingGrid pages = Grid();
    pages.setRecordCount(count);
    ListPage(std::max(0, pages.lastPageIndex()));
}

void FinanceBillPage::ShowPageInfo()
{
    m_pageLine->setText(Grid().pageLine(PagingGrid::PageLineForm::WithTotal));
}

void FinanceBillPage::ListWorkingDate(int page)
{
    UseFilterDate(GetCurDateString());
    ListPage(page);
}

bool FinanceBillPage::InsertFinanceBill(const struct_button_financebill &bill)
{
    try {
        if (!FinanceBillWriter(connection(), m_side).Insert(bill)) {
            ShowErrorMessage(QStringLiteral("财务单据缺少标识（GUID），没有保存。"));
            return false;
        }
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("保存财务单据失败。"));
        return false;
    }
    ShowLastPage();
    return true;
}

FinanceBillPage::WriteResult FinanceBillPage::UpdateFinanceBill(const struct_button_financebill &bill)
{
    try {
        if (!FinanceBillWriter(connection(), m_side).Update(bill)) {
            ShowInfoMessage(kFinanceBillGoneMessage);
            ListPage(PageIndex());
            return WriteResult::Gone;
        }
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("修改财务单据失败。"));
        return WriteResult::Failed;
    }
    RefreshCards(bill);
    return WriteResult::Written;
}

FinanceBillPage::WriteResult FinanceBillPage::DeleteFinanceBill(const struct_button_financebill &bill)
{
    bool found = false;
    try {
        found = FinanceBillWriter(connection(), m_side).Delete(bill.GUID);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("删除财务单据失败。"));
        return WriteResult::Failed;
    }
    ListPage(PageIndex());
    return found ? WriteResult::Written : WriteResult::Gone;
}

std::optional<struct_button_financebill> FinanceBillPage::BillToOpen(const QString &guid)
{
    std::optional<struct_button_financebill> stored;
    try {
        stored = FinanceBillStore(connection(), m_side).BillByGuid(guid);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取财务单据失败。"));
        return std::nullopt;
    }
    if (!stored) {
        ShowInfoMessage(kFinanceBillGoneMessage);
        ListPage(PageIndex());
    }
    return stored;
}

int FinanceBillPage::ResetFinanceBillButtonFaces()
{
    ResetCards();
    return 1;
}

void FinanceBillPage::resizeEvent(QResizeEvent *event)
{
    BillPageBase::resizeEvent(event);
    PlacePagingRow(m_prevButton, m_newButton, m_nextButton, m_pageLine, event->size());

    const int capacity = PageCapacity();
    if (!LayoutCards(event->size()))
        return;
    // The cards hold a page of the old size: list page 0 in the new one
    // rather than show a page line that does not match them.
    if (PageCapacity() != capacity)
        ListPage(0);
    else
        ShowPageInfo();
}

void FinanceBillPage::OnPrevPage()
{
    ListWorkingDate(std::max(0, PageIndex() - 1));
}

void FinanceBillPage::OnNextPage()
{
    const int page = PageIndex() + 1;
    if (page > LastPageIndex()) {
        // On the last of several pages nothing happens; a single page is
        // listed again.
        if (LastPageIndex() >= 1)
            return;
        ListWorkingDate(0);
        return;
    }
    ListWorkingDate(page);
}

void FinanceBillPage::OnSelchangeBillRange()
{
    ListWorkingDate(0);
}

void FinanceBillPage::OnNewBill()
{
    CDlgSelFinanceBillDlg chooser(this);
    if (m_side.party == PartyProvider) {
        chooser.SetSide(PartyProvider);
        chooser.SetProviderPageOrOwner(this);
    } else {
        chooser.SetOwnerPage(this);
    }
    Interaction::current().runModal(&chooser);
}

// The side's cards --------------------------------------------------------

namespace {

struct_button_financebill salesLayout(const struct_button_financebill &bill)
{
    return bill;
}

struct_button_financebill salesLayout(const struct_button_financebill_provider &bill)
{
    return ToSalesLayout(bill);
}

template<typename Record>
Record sideLayout(const struct_button_financebill &bill)
{
    if constexpr (std::is_same_v<Record, struct_button_financebill>)
        return bill;
    else
        return ToPurchaseLayout(bill);
}

} // namespace

template<typename Card>
FinanceBillCardPage<Card>::FinanceBillCardPage(const FinanceBillSide &side, int poolSize, QWidget *parent)
    : FinanceBillPage(side, parent)
    , m_pool(std::make_unique<RecordCardPool<Card>>(this, this, poolSize))
{
    Start();
}

template<typename Card>
int FinanceBillCardPage<Card>::VisibleCardCount() const
{
    int visible = 0;
    for (int k = 0; k < m_pool->shownCount(); ++k)
        visible += m_pool->card(k)->isHidden() ? 0 : 1;
    return visible;
}

template<typename Card>
struct_button_financebill FinanceBillCardPage<Card>::CardBill(int k) const
{
    for (int i = 0; i < m_pool->shownCount(); ++i) {
        if (m_pool->card(i)->isHidden())
            continue;
        if (k-- == 0)
            return salesLayout(m_pool->card(i)->record());
    }
    return {};
}

template<typename Card>
void FinanceBillCardPage<Card>::ShowBills(const QList<struct_button_financebill> &bills)
{
    QList<Record> records;
    records.reserve(bills.size());
    for (const struct_button_financebill &bill : bills)
        records << sideLayout<Record>(bill);
    m_pool->showRecords(records);
}

template<typename Card>
void FinanceBillCardPage<Card>::RefreshCards(const struct_button_financebill &bill)
{
    const Record record = sideLayout<Record>(bill);
    for (int k = 0; k < m_pool->shownCount(); ++k) {
        Card *card = m_pool->card(k);
        if (card->record().GUID == bill.GUID)
            card->RefreshRecord(record);
    }
}

template<typename Card>
bool FinanceBillCardPage<Card>::DeleteCardRecord(const Record &record)
{
    return DeleteFinanceBill(salesLayout(record)) != WriteResult::Failed;
}

template<typename Card>
int FinanceBillCardPage<Card>::OpenCardRecord(Card &card, int)
{
    const std::optional<struct_button_financebill> stored = BillToOpen(card.record().GUID);
    if (!stored)
        return 0;
    // The stored bill's kind decides the mode: it may have changed since
    // the card was listed.
    const Record record = sideLayout<Record>(*stored);
    const std::optional<int> mode = EditModeFor(record);
    if (!mode)
        return 0;
    CDlgNewIncomeBill editor(this);
    if constexpr (std::is_same_v<Card, CBCGPFinanceBillButton>) {
        editor.SetFinaTab(this);
        editor.SetBill(record);
        editor.SetBillButton(&card);
    } else {
        editor.SetProviderFinaTab(this);
        editor.SetProviderBill(record);
        editor.SetProviderBillButton(&card);
    }
    editor.SetMode(*mode);
    return Interaction::current().runModal(&editor);
}

template class FinanceBillCardPage<CBCGPFinanceBillButton>;
template class FinanceBillCardPage<CBCGPFinanceBillButton_Provider>;

CDlgTabFina::CDlgTabFina(QWidget *parent)
    : CDlgTabFina(RecordCardPool<CBCGPFinanceBillButton>::ScreenPoolSize(), parent)
{
}

CDlgTabFina::CDlgTabFina(int poolSize, QWidget *parent)
    : FinanceBillCardPage(FinanceBillSide::Sales(), poolSize, parent)
{
}

CDlgTabFina_Provider::CDlgTabFina_Provider(QWidget *parent)
    : CDlgTabFina_Provider(RecordCardPool<CBCGPFinanceBillButton_Provider>::ScreenPoolSize(), parent)
{
}

CDlgTabFina_Provider::CDlgTabFina_Provider(int poolSize, QWidget *parent)
    : FinanceBillCardPage(FinanceBillSide::Purchase(), poolSize, parent)
{
}
