#include "CDlgTabStore.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>

#include <algorithm>
#include <optional>

#include "CDlgNewProduct.h"
#include "CDlgPrtMonthSelDate.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"
#include "ProductCatalog.h"
#include "ProductStore.h"
#include "ProductWidgets.h"

namespace {

// What could not be done, for the first line of a database error.
const QString kListFailed = QStringLiteral("列出货品失败。");
const QString kFiguresFailed = QStringLiteral("计算库存数量失败。");

// The column of filters and report buttons at the page's right edge: wide
// enough to read a typed product name. The card grid keeps clear of it.
constexpr int kSideColumnWidth = 190;
constexpr int kSideColumnRight = 10;

GridMetrics storeGridMetrics()
{
    GridMetrics metrics;
    metrics.reservedWidth = kSideColumnWidth + kSideColumnRight + 15;
    metrics.poolReservedWidth = metrics.reservedWidth + 93;
    return metrics;
}

void setTitleMonth(GridReport *report, const SumPeriod &period)
{
    if (ReportParameter *parameter = report->FindParameterByName(QStringLiteral("TitleMonth")))
        parameter->SetAsText(QStringLiteral("%1 到 %2").arg(period.start, period.end));
}

} // namespace

CDlgTabStore::CDlgTabStore(QWidget *parent)
    : CDlgTabStore(RecordCardPool<CBCGPStoreMgrButton>::ScreenPoolSize(storeGridMetrics()), parent)
{
}

CDlgTabStore::CDlgTabStore(int poolSize, QWidget *parent)
    : PageBase(parent)
{
    SetEmptyPicture(QStringLiteral("1305"), QStringLiteral(":/images/bmp307.svg"));
    CreateControls();
    m_pool = std::make_unique<RecordCardPool<CBCGPStoreMgrButton>>(this, this, poolSize, storeGridMetrics());
    m_pool->layout(size());
    ListPage(0);
    CreateReports();
    FillFilterCombos();
    ComputeFigures(GetCurDateString());
}

CDlgTabStore::~CDlgTabStore() = default;

void CDlgTabStore::CreateControls()
{
    m_prevButton = MakeButton(this, "1183", QStringLiteral("上一页"));
    m_newButton = MakeButton(this, "1184", QStringLiteral("新增商品"));
    m_nextButton = MakeButton(this, "1174", QStringLiteral("下一页"));
    m_filterButton = MakeButton(this, "1180", QStringLiteral("产品筛选"));
    m_sumButton = MakeButton(this, "1181", QStringLiteral("进出汇总"));
    m_gainButton = MakeButton(this, "1182", QStringLiteral("销售利润"));
    m_codeCombo = MakeFilterCombo(this, "1302");
    m_nameCombo = MakeFilterCombo(this, "1303");
    m_specCombo = MakeFilterCombo(this, "1304");
    m_codeLabel = MakeIdLabel(this, "1350", QStringLiteral("产品编号"));
    m_nameLabel = MakeIdLabel(this, "1351", QStringLiteral("产品名称"));
    m_specLabel = MakeIdLabel(this, "1352", QStringLiteral("产品规格"));
    m_pageLine = MakeIdLabel(this, "1433", QString());
    m_filterButton->setImage(QStringLiteral(":/images/icon173.svg"), QSize(24, 24));
    m_sumButton->setImage(QStringLiteral(":/images/icon255.svg"), QSize(24, 24));
    m_gainButton->setImage(QStringLiteral(":/images/icon255.svg"), QSize(24, 24));

    connect(m_prevButton, &QPushButton::clicked, this, &CDlgTabStore::OnPrevPage);
    connect(m_nextButton, &QPushButton::clicked, this, &CDlgTabStore::OnNextPage);
    connect(m_newButton, &QPushButton::clicked, this, &CDlgTabStore::OnNewProduct);
    connect(m_filterButton, &QPushButton::clicked, this, &CDlgTabStore::OnFilter);
    connect(m_sumButton, &QPushButton::clicked, this, &CDlgTabStore::OnStockShipmentSum);
    connect(m_gainButton, &QPushButton::clicked, this, &CDlgTabStore::OnShipmentGain);
}

void CDlgTabStore::CreateReports()
{
    m_monthBalanceReport = LoadReportTemplate("ProductMonthBalanceReport.grf");
    m_monthBalanceEvent = std::make_unique<CProductMonthBalanceReportEvent>();
    m_monthBalanceEvent->ConnectTo(m_monthBalanceReport.get());

    m_sumReport = LoadReportTemplate("ProductStockShipmentSumReport.grf");
    m_sumEvent = std::make_unique<CProductStockShipmentSumReportEvent>();
    m_sumEvent->ConnectTo(m_sumReport.get());

    m_gainReport = LoadReportTemplate("ProductShipmentGainReport.grf");
    m_gainEvent = std::make_unique<CProductShipmentGainReportEvent>();
    m_gainEvent->ConnectTo(m_gainReport.get());

    m_tradeDetailReport = LoadReportTemplate("ProductTradeDetailReport.grf");
    m_tradeDetailEvent = std::make_unique<CProductTradeDetailReportEvent>();
    m_tradeDetailEvent->ConnectTo(m_tradeDetailReport.get());
}

// Once, at opening: products written later are found by typing their
// texts.
void CDlgTabStore::FillFilterCombos()
{
    const std::optional<ProductCatalog::FilterTexts> texts = LoadFilterTexts();
    if (!texts)
        return;
    OfferFilterTexts(m_codeCombo, Reversed(texts->codes));
    OfferFilterTexts(m_nameCombo, Reversed(texts->names));
    OfferFilterTexts(m_specCombo, Reversed(texts->specs));
}

void CDlgTabStore::resizeEvent(QResizeEvent *event)
{
    PageBase::resizeEvent(event);
    const int w = event->size().width();
    const int h = event->size().height();
    PlacePagingRow(m_prevButton, m_newButton, m_nextButton, m_pageLine, event->size());
    const int x = w - kSideColumnRight - kSideColumnWidth;
    m_codeLabel->setGeometry(x + 5, 15, kSideColumnWidth - 5, 20);
    m_nameLabel->setGeometry(x + 5, 75, kSideColumnWidth - 5, 20);
    m_specLabel->setGeometry(x + 5, 135, kSideColumnWidth - 5, 20);
    m_codeCombo->setGeometry(x, 40, kSideColumnWidth, 26);
    m_nameCombo->setGeometry(x, 100, kSideColumnWidth, 26);
    m_specCombo->setGeometry(x, 160, kSideColumnWidth, 26);
    m_filterButton->setGeometry(x, 210, kSideColumnWidth, 60);
    m_sumButton->setGeometry(x, 290, kSideColumnWidth, 60);
    m_gainButton->setGeometry(x, 370, kSideColumnWidth, 60);
    LayoutButtons(w, h);
}

bool CDlgTabStore::LayoutButtons(int width, int height)
{
    const int capacity = PageCapacity();
    if (!m_pool->layout(QSize(width, height)))
        return false;
    // The cards kept the products of the old page size: list page 0 in the
    // new one rather than show a page line that does not match the cards.
    if (PageCapacity() != capacity)
        FilterProducts(0);
    ShowPageInfo();
    return true;
}

void CDlgTabStore::ShowPageInfo()
{
    m_pageLine->setText(m_pool->grid().pageLine(PagingGrid::PageLineForm::WithTotal));
}

bool CDlgTabStore::ListPage(int page)
{
    int count = 0;
    QList<struct_button_storeproduct> products;
    try {
        ProductStore store(connection());
        count = store.CountProducts(m_filter);
        if (count > 0 && page * PageCapacity() < count)
            products = store.ProductsPage(m_filter, page * PageCapacity(), PageCapacity());
    } catch (const DbError &error) {
        ShowDbError(error, kListFailed);
        return false;
    }

    PagingGrid &grid = m_pool->grid();
    grid.setRecordCount(count);
    if (count == 0) {
        grid.setCurrentPage(0);
        m_pool->showRecords(products);
        ShowPageInfo();
        ShowEmptyState(true);
        return false;
    }
    // A page past the end (the list shrank meanwhile) leaves the cards as
    // they are.
    if (products.isEmpty())
        return false;
    grid.setCurrentPage(page);
    m_pool->showRecords(products);
    ShowPageInfo();
    ShowEmptyState(false);
    return true;
}

void CDlgTabStore::FilterProducts(int page)
{
    if (ListPage(page))
        ComputeFigures(GetCurDateString());
}

std::optional<PagingGrid> CDlgTabStore::RecountPages()
{
    int count = 0;
    try {
        count = ProductStore(connection()).CountProducts(m_filter);
    } catch (const DbError &error) {
        ShowDbError(error, kListFailed);
        return std::nullopt;
    }
    // The pages of the new count, in the page's present layout.
    PagingGrid pages = m_pool->grid();
    pages.setRecordCount(count);
    return pages;
}

void CDlgTabStore::ShowLastPage()
{
    if (const std::optional<PagingGrid> pages = RecountPages())
        FilterProducts(std::max(0, pages->lastPageIndex()));
}

void CDlgTabStore::RelistAfterDelete()
{
    std::optional<PagingGrid> pages = RecountPages();
    if (!pages)
        return;
    // The page shown stays, unless the delete took its last product: then
    // the page before it.
    pages->setCurrentPage(PageIndex());
    FilterProducts(pages->currentPage());
}

void CDlgTabStore::UpdateProductMonthFigures(const QString &date)
{
    SetComputedDate(date);
    ComputeFigures(date);
}

void CDlgTabStore::ComputeFigures(const QString &date)
{
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    const QString monthEnd = MonthLastDay(day.isValid() ? date : GetCurDateString());

    std::vector<CBCGPStoreMgrButton *> cards;
    QList<ProductKey> products;
    for (int k = 0; k < m_pool->shownCount(); ++k) {
        CBCGPStoreMgrButton *card = m_pool->card(k);
        if (card->isHidden())
            continue;
        const struct_button_storeproduct &record = card->record();
        cards.push_back(card);
        products << ProductKey{record.ProductCode, record.ProductName, record.ProductSpec};
    }
    if (cards.empty())
        return;

    std::vector<double> figures;
    try {
        figures = ProductSums(connection()).StockFigures(products, monthEnd);
    } catch (const DbError &error) {
        ShowDbError(error, kFiguresFailed);
        return;
    }
    for (std::size_t i = 0; i < cards.size(); ++i) {
        // The figure lives on the card only; the stored count is the goods
        // bills' to move.
        struct_button_storeproduct record = cards[i]->record();
        record.ProductStockCount = DoubleToStr(figures[i]);
        cards[i]->UpdateRecord(record);
    }
}

bool CDlgTabStore::AddProduct(const struct_button_storeproduct &product)
{
    try {
        if (!ProductStore(connection()).AddProduct(product)) {
            ShowErrorMessage(QStringLiteral("货品缺少标识（GUID），未能保存。"));
            return false;
        }
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("保存货品失败。"));
        return false;
    }
    ShowLastPage();
    return true;
}

bool CDlgTabStore::UpdateProduct(const struct_button_storeproduct &product)
{
    try {
        if (product.GUID.isEmpty()) {
            ShowErrorMessage(QStringLiteral("货品缺少标识（GUID），未能修改。"));
            return false;
        }
        if (!ProductStore(connection()).UpdateProduct(product)) {
            ShowErrorMessage(QStringLiteral("该货品已不存在，未能修改。"));
            return false;
        }
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("修改货品失败。"));
        return false;
    }
    for (int k = 0; k < m_pool->shownCount(); ++k) {
        CBCGPStoreMgrButton *card = m_pool->card(k);
        if (card->record().GUID != product.GUID)
            continue;
        struct_button_storeproduct shown = product;
        shown.ProductStockCount = card->record().ProductStockCount;
        shown.EmptySlot = 0;
        card->SetRecord(shown);
    }
    return true;
}

bool CDlgTabStore::DeleteProduct(const struct_button_storeproduct &product)
{
    try {
        if (product.GUID.isEmpty()) {
            ShowErrorMessage(QStringLiteral("货品缺少标识（GUID），未能删除。"));
            return false;
        }
        // No row any more means someone deleted it meanwhile: it is gone
        // either way, so its card may go too.
        ProductStore(connection()).DeleteProduct(product.GUID);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("删除货品失败。"));
        return false;
    }
    // Hiding the one card would leave a gap and a page line with the old
    // count: the page is counted and listed again, so that the line and
    // the cards agree.
    RelistAfterDelete();
    return true;
}

int CDlgTabStore::ResetButtonColors()
{
    return m_pool->ResetFaces();
}

int CDlgTabStore::OpenCardRecord(CBCGPStoreMgrButton &card, int mode)
{
    const struct_button_storeproduct shown = card.record();
    std::optional<struct_button_storeproduct> stored;
    try {
        stored = ProductCatalog(connection()).ProductByGuid(shown.GUID);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取货品失败。"));
        return 0;
    }
    if (!stored) {
        ShowInfoMessage(kProductGoneMessage);
        const int page = PageIndex();
        if (!ListPage(page) && RecordCount() > 0)
            ListPage(LastPageIndex());
        ComputeFigures(GetCurDateString());
        return 0;
    }

    // The dialog edits the stored texts; the card keeps showing its figure.
    struct_button_storeproduct product = *stored;
    product.ProductStockCount = shown.ProductStockCount;
    CDlgNewProduct dialog(this);
    dialog.SetMode(mode);
    dialog.SetProduct(product);
    dialog.SetRecordButton(&card);
    dialog.SetStorePage(this);
    return Interaction::current().runModal(&dialog);
}

void CDlgTabStore::OnPrevPage()
{
    FilterProducts(std::max(0, PageIndex() - 1));
}

void CDlgTabStore::OnNextPage()
{
    const int page = PageIndex() + 1;
    if (page > LastPageIndex()) {
        // On the last of several pages nothing happens; a single page is
        // listed again.
        if (LastPageIndex() >= 1)
            return;
        FilterProducts(0);
        return;
    }
    FilterProducts(page);
}

void CDlgTabStore::OnNewProduct()
{
    CDlgNewProduct dialog(this);
    dialog.SetMode(ProductEditNew);
    dialog.SetStorePage(this);
    Interaction::current().runModal(&dialog);
}

void CDlgTabStore::OnFilter()
{
    m_filter.ProductCode = m_codeCombo->currentText();
    m_filter.ProductName = m_nameCombo->currentText();
    m_filter.ProductSpec = m_specCombo->currentText();
    FilterProducts(0);
}

bool CDlgTabStore::AskPeriod()
{
    const QString today = GetCurDateString();
    CDlgPrtMonthSelDate dialog(this);
    dialog.SetOwnerPage(this);
    dialog.SetDateRange(MonthFirstDay(today), MonthLastDay(today));
    dialog.SetHideZeroOption(1);
    if (Interaction::current().runModal(&dialog) != 1)
        return false;
    PeriodRange range;
    dialog.GetResult(range);
    m_period = SumPeriod{range.StartDate, range.EndDate};
    return true;
}

void CDlgTabStore::ShowReport(GridReport *report)
{
    if (!report->ShowReport(true))
        ShowErrorMessage(report->lastError());
}

bool CDlgTabStore::RunSums()
{
    if (!AskPeriod())
        return false;
    try {
        m_sumRows = ProductSums(connection()).StockShipmentSumRows(m_period);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("统计货品进出失败。"));
        return false;
    }
    setTitleMonth(m_sumReport.get(), m_period);
    return true;
}

void CDlgTabStore::OnStockShipmentSum()
{
    if (!RunSums())
        return;
    m_sumEvent->SetRecords(m_sumRows);
    ShowReport(m_sumReport.get());
}

void CDlgTabStore::OnShipmentGain()
{
    if (!RunSums())
        return;
    m_gainRows = ProductSums::ShipmentGainRows(m_sumRows);
    setTitleMonth(m_gainReport.get(), m_period);
    m_gainEvent->SetRecords(m_gainRows);
    ShowReport(m_gainReport.get());
}
