#include "GoodsBillPage.h"

#include <QComboBox>
#include <QLabel>
#include <QResizeEvent>

#include <algorithm>
#include <limits>

#include "CDlgSelBillDlg.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GoodsBillCatalog.h"
#include "GoodsBillStore.h"
#include "GoodsBillWriter.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"

namespace {

struct PageIds
{
    const char *prev;
    const char *add;
    const char *next;
    const char *range;
    const char *rangeLabel;
    const char *empty;
    const char *pageLine;
};

const PageIds kSalesIds{"1106", "1107", "1108", "1092", "1345", "1298", "1435"};
const PageIds kPurchaseIds{"1360", "1361", "1362", "1364", "1363", "1365", "1426"};

// The tip of the empty-state speech bubble's tail (bmp297), in pixels from
// the picture's left edge.
constexpr int kBubbleTailX = 270;

} // namespace

GoodsBillPage::GoodsBillPage(Side side, QWidget *parent)
    : BillPageBase(parent)
    , m_side(side)
{
    const PageIds &ids = side == Side::Sales ? kSalesIds : kPurchaseIds;
    m_prevButton = MakeCommandButton(this, ids.prev, QStringLiteral("上一页"));
    m_newButton = MakeCommandButton(this, ids.add, QStringLiteral("新增货品单据"));
    m_nextButton = MakeCommandButton(this, ids.next, QStringLiteral("下一页"));
    m_pageLine = new QLabel(this);
    m_pageLine->setObjectName(QString::fromLatin1(ids.pageLine));
    // The range combo and its label come from the base; they take this
    // page's control ids.
    m_range = RangeBox();
    m_range->setObjectName(QString::fromLatin1(ids.range));
    RangeLabel()->setObjectName(QString::fromLatin1(ids.rangeLabel));
    SetEmptyPicture(QString::fromLatin1(ids.empty), QStringLiteral(":/images/bmp297.svg"), QSize(350, 150));
    m_range->setCurrentIndex(0);

    connect(m_range, &QComboBox::currentIndexChanged, this, &GoodsBillPage::OnRangeChanged);
    connect(m_prevButton, &QPushButton::clicked, this, &GoodsBillPage::OnPrevPage);
    connect(m_nextButton, &QPushButton::clicked, this, &GoodsBillPage::OnNextPage);
    connect(m_newButton, &QPushButton::clicked, this, &GoodsBillPage::OnNewBill);
}

GoodsBillPage::~GoodsBillPage() = default;

const GoodsBillSide &GoodsBillPage::Descriptor() const
{
    return m_side == Side::Sales ? GoodsBillSide::Sales() : GoodsBillSide::Purchase();
}

void GoodsBillPage::StartListing()
{
    // The working date, not the system's UTC date. The page has not
    // recomputed for the main window yet, so its computed date stays
    // empty until the first ChangeDate.
    m_filterDate = GetCurDateString();
    m_filterMode = m_range->currentIndex() + 1;
    ShowBillPage(0);
}

QString GoodsBillPage::PageLine() const
{
    return m_pageLine->text();
}

int GoodsBillPage::ChangeDate(const QString &date)
{
    ApplyFilterDate(date);
    RefreshBills(date);
    return 1;
}

void GoodsBillPage::RefreshBills(const QString &date)
{
    m_filterDate = date;
    m_filterMode = m_range->currentIndex() + 1;
    ShowBillPage(m_nCurPage);
}

bool GoodsBillPage::ShowBillPage(int page)
{
    QString firstDay;
    QString lastDay;
    if (m_filterMode == BillDateDay) {
        firstDay = lastDay = m_filterDate;
    } else if (m_filterMode == BillDateMonth) {
        firstDay = MonthFirstDay(m_filterDate);
        lastDay = MonthLastDay(m_filterDate);
    }
    // Worked out on a copy: a failed read leaves the page as it was.
    PagingGrid grid = Grid();
    GoodsBillLines lines;
    try {
        GoodsBillCatalog catalog(connection(), Descriptor());
        const std::vector<GoodsBillCatalog::BillKey> keys = catalog.BillKeys(firstDay, lastDay);
        // The page is clamped to the pages there are now, so the label
        // never reads "第 3 / 2 页".
        grid.setRecordCount(static_cast<int>(keys.size()));
        grid.setCurrentPage(page);
        const auto first = keys.begin() + grid.firstRecordOfPage();
        lines = catalog.FirstLines({first, first + grid.recordsOnPage()});
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取货品单据失败。"));
        return false;
    }
    Grid() = grid;
    m_shown = lines;
    ShowTiles(lines);
    m_nCurPage = grid.currentPage();
    m_nLastPage = std::max(0, grid.lastPageIndex());
    m_pageLine->setText(grid.pageLine());
    ShowEmptyState(lines.empty());
    return true;
}

void GoodsBillPage::ShowLastPage()
{
    ShowBillPage(std::numeric_limits<int>::max());
}

void GoodsBillPage::RelistCurrentPage()
{
    ShowBillPage(m_nCurPage);
}

void GoodsBillPage::ShowFirstPage()
{
    ShowBillPage(0);
}

void GoodsBillPage::resizeEvent(QResizeEvent *event)
{
    BillPageBase::resizeEvent(event);
    PlacePagingRow(m_prevButton, m_newButton, m_nextButton, m_pageLine, event->size());
    // The empty page's speech bubble points down at 新增货品单据, from
    // wherever the paging row put it.
    PlaceEmptyPictureAbove(m_newButton, kBubbleTailX, 40);
    const int capacity = PageCapacity();
    if (!LayoutTiles(event->size()))
        return;
    // The tiles held a page of the old size: list the first page in the
    // new one, so that the label and the tiles agree.
    if (PageCapacity() != capacity)
        ShowBillPage(0);
    else
        m_pageLine->setText(Grid().pageLine());
}

int GoodsBillPage::ModeOf(const QString &billType) const
{
    const int base = m_side == Side::Sales ? 2 : 12;
    if (billType == Descriptor().mainBillType)
        return base;
    if (billType == Descriptor().returnBillType)
        return base + 1;
    return -1;
}

int GoodsBillPage::OpenBill(const QString &guid, GoodsBillEditRequest request)
{
    try {
        request.lines = GoodsBillStore(connection(), Descriptor()).LoadBill(guid);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取单据失败。"));
        return 0;
    }
    if (request.lines.empty()) {
        ShowInfoMessage(BillGoneNote());
        RelistCurrentPage();
        return 0;
    }
    request.mode = ModeOf(request.lines.front().BillType);
    GoodsBillEditorLauncher *launcher = GoodsBillEditorLauncher::current();
    if (request.mode < 0 || !launcher)
        return 0;
    return launcher->Run(this, request);
}

bool GoodsBillPage::DeleteBill(const QString &guid)
{
    GoodsBillWriter::Outcome outcome;
    try {
        outcome = GoodsBillWriter(connection(), Descriptor()).Delete(guid);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("删除单据失败。"));
        return false;
    }
    // A bill already gone is gone all the same: the tile may go too.
    ShowWriteOutcome(outcome);
    ShowFirstPage();
    return true;
}

void GoodsBillPage::OnRangeChanged()
{
    m_nCurPage = 0;
    RefreshBills(GetCurDateString());
}

void GoodsBillPage::OnPrevPage()
{
    m_nCurPage = std::max(0, PageIndex() - 1);
    RefreshBills(GetCurDateString());
}

void GoodsBillPage::OnNextPage()
{
    const int next = PageIndex() + 1;
    const int last = Grid().lastPageIndex();
    // On the last of several pages nothing happens; a single page is
    // listed again.
    if (next > last && next > 1)
        return;
    m_nCurPage = last <= 0 ? 0 : next;
    RefreshBills(GetCurDateString());
}

void GoodsBillPage::OnNewBill()
{
    CDlgSelBillDlg chooser(this);
    PrepareChooser(chooser);
    Interaction::current().runModal(&chooser);
}

template<typename Card>
GoodsBillTilePage<Card>::GoodsBillTilePage(Side side, int poolSize, QWidget *parent)
    : GoodsBillPage(side, parent)
    , m_pool(std::make_unique<RecordCardPool<Card>>(this, this, poolSize))
{
    m_pool->layout(size());
    StartListing();
}

template<typename Card> int GoodsBillTilePage<Card>::OpenCardRecord(Card &card, int)
{
    GoodsBillEditRequest request;
    Address(request, &card);
    return OpenBill(card.record().GUID, request);
}

template<typename Card> void GoodsBillTilePage<Card>::ShowTiles(const GoodsBillLines &firstLines)
{
    std::vector<typename Card::Record> records;
    records.reserve(firstLines.size());
    for (const struct_button_goodsbill &line : firstLines) {
        if constexpr (std::is_same_v<typename Card::Record, struct_button_goodsbill>)
            records.push_back(line);
        else
            records.push_back(ToPurchaseLayout(line));
    }
    m_pool->showRecords(records);
}

template class GoodsBillTilePage<CBCGPGoodsBillButton>;
template class GoodsBillTilePage<CBCGPProviderGoodsBillButton>;

CDlgTabGoods::CDlgTabGoods(QWidget *parent)
    : CDlgTabGoods(RecordCardPool<CBCGPGoodsBillButton>::ScreenPoolSize(), parent)
{
}

CDlgTabGoods::CDlgTabGoods(int poolSize, QWidget *parent)
    : GoodsBillTilePage(Side::Sales, poolSize, parent)
{
}

int CDlgTabGoods::SetIntMember(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

void CDlgTabGoods::PrepareChooser(CDlgSelBillDlg &chooser)
{
    chooser.SetGoodsTab(this);
}

void CDlgTabGoods::Address(GoodsBillEditRequest &request, CBCGPGoodsBillButton *tile)
{
    request.salesPage = this;
    request.salesTile = tile;
}

CDlgTabProviderGoods::CDlgTabProviderGoods(QWidget *parent)
    : CDlgTabProviderGoods(RecordCardPool<CBCGPProviderGoodsBillButton>::ScreenPoolSize(), parent)
{
}

CDlgTabProviderGoods::CDlgTabProviderGoods(int poolSize, QWidget *parent)
    : GoodsBillTilePage(Side::Purchase, poolSize, parent)
{
}

void CDlgTabProviderGoods::PrepareChooser(CDlgSelBillDlg &chooser)
{
    chooser.SetSide(PartyProvider);
    chooser.SetProviderGoodsTab(this);
}

void CDlgTabProviderGoods::Address(GoodsBillEditRequest &request, CBCGPProviderGoodsBillButton *tile)
{
    request.purchasePage = this;
    request.purchaseTile = tile;
}
