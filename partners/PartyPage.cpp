#include "PartyPage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QToolButton>

#include <algorithm>

#include "CDlgClientDetail.h"
#include "CDlgNewClient.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ImageButton.h"
#include "Interaction.h"
#include "PageWidgets.h"
#include "PartyBalances.h"
#include "PartyReportEvents.h"
#include "PartyWidgets.h"
#include "TypedLength.h"

namespace {

// The control ids and captions of the two pages.
struct PageControls
{
    const char *prev;
    const char *newParty;
    const char *next;
    const char *areaCombo;
    const char *report;
    const char *list;
    const char *nameEdit;
    const char *search;
    const char *areaLabel;
    const char *nameLabel;
    const char *emptyPicture;
    const char *pageLine;
    const char *newCaption;
    const char *listCaption;
    const char *searchCaption;
    const char *areaCaption;
    const char *nameCaption;
    const char *emptyImage;
    const char *financeSumTemplate;
    const char *addressTemplate;
};

const PageControls kClientControls = {.prev = "1043",
    .newParty = "1042",
    .next = "1044",
    .areaCombo = "1299",
    .report = "1046",
    .list = "1049",
    .nameEdit = "1300",
    .search = "1041",
    .areaLabel = "1045",
    .nameLabel = "1047",
    .emptyPicture = "1048",
    .pageLine = "1432",
    .newCaption = "新增客户",
    .listCaption = "客户列表",
    .searchCaption = "客户搜索",
    .areaCaption = "客户范围",
    .nameCaption = "客户名称",
    .emptyImage = ":/partners/bmp170.svg",
    .financeSumTemplate = "ClientFinanceSumReport.grf",
    .addressTemplate = "ClientAddressListReport.grf"};

const PageControls kProviderControls = {.prev = "1356",
    .newParty = "1357",
    .next = "1358",
    .areaCombo = "1386",
    .report = "1042",
    .list = "1043",
    .nameEdit = "1438",
    .search = "1384",
    .areaLabel = "1385",
    .nameLabel = "1437",
    .emptyPicture = "1359",
    .pageLine = "1425",
    .newCaption = "新建供应商",
    .listCaption = "供应商列表",
    .searchCaption = "供应商搜索",
    .areaCaption = "供应商范围",
    .nameCaption = "供应商名称",
    .emptyImage = ":/partners/bmp316.svg",
    .financeSumTemplate = "ProviderFinanceSumReport.grf",
    .addressTemplate = "ProviderAddressListReport.grf"};

const PageControls &controlsOf(const PartySideInfo &side)
{
    return side.party == PartyProvider ? kProviderControls : kClientControls;
}

// The area combo's entries; an entry's index is the area code it filters
// by (0: none).
const char *const kAreaWords[] = {"所有", "本地", "省内", "其它"};

} // namespace

PartyPage::PartyPage(const PartySideInfo &side, QWidget *parent)
    : PageBase(parent)
    , m_side(side)
{
    InitPartyResources();
    const PageControls &ids = controlsOf(m_side);
    SetEmptyPicture(QString::fromLatin1(ids.emptyPicture), QString::fromLatin1(ids.emptyImage));
    CreateControls();
    CreateReports();
}

PartyPage::~PartyPage() = default;

void PartyPage::CreateControls()
{
    const PageControls &ids = controlsOf(m_side);
    m_prevButton = MakePictureButton(this, ids.prev, QStringLiteral("上一页"));
    m_newButton = MakePictureButton(this, ids.newParty, QString::fromUtf8(ids.newCaption));
    m_nextButton = MakePictureButton(this, ids.next, QStringLiteral("下一页"));
    m_reportButton
        = MakeSideButton(this, ids.report, QStringLiteral("统计报表"), QStringLiteral(":/partners/icon172.svg"));
    m_listButton = MakeSideButton(
        this, ids.list, QString::fromUtf8(ids.listCaption), QStringLiteral(":/partners/icon322.svg"));
    m_searchButton = MakeSideButton(
        this, ids.search, QString::fromUtf8(ids.searchCaption), QStringLiteral(":/images/icon173.svg"));
    m_areaLabel = MakeIdLabel(this, ids.areaLabel, QString::fromUtf8(ids.areaCaption));
    m_nameLabel = MakeIdLabel(this, ids.nameLabel, QString::fromUtf8(ids.nameCaption));
    m_pageLine = MakeIdLabel(this, ids.pageLine, QString());

    m_areaCombo = new QComboBox(this);
    m_areaCombo->setObjectName(QString::fromLatin1(ids.areaCombo));
    for (const char *word : kAreaWords)
        m_areaCombo->addItem(QString::fromUtf8(word));
    m_areaCombo->setCurrentIndex(0);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QString::fromLatin1(ids.nameEdit));
    LimitTypedLength(m_nameEdit, 20);

    connect(m_prevButton, &QPushButton::clicked, this, &PartyPage::OnPrevPage);
    connect(m_nextButton, &QPushButton::clicked, this, &PartyPage::OnNextPage);
    connect(m_newButton, &QPushButton::clicked, this, &PartyPage::OnNewParty);
    connect(m_searchButton, &QToolButton::clicked, this, &PartyPage::OnSearch);
    connect(m_reportButton, &QToolButton::clicked, this, &PartyPage::ShowFinanceSumReport);
    connect(m_listButton, &QToolButton::clicked, this, &PartyPage::ShowAddressList);
    connect(m_areaCombo, &QComboBox::currentIndexChanged, this, &PartyPage::OnAreaChanged);
}

void PartyPage::CreateReports()
{
    const PageControls &ids = controlsOf(m_side);
    m_financeSumReport = LoadReportTemplate(ids.financeSumTemplate);
    m_addressReport = LoadReportTemplate(ids.addressTemplate);
    if (m_side.party == PartyProvider) {
        m_financeSumEvent = std::make_unique<CProviderFinanceSumReportEvent>();
        auto sink = std::make_unique<CProviderAddressListReportEvent>();
        CProviderAddressListReportEvent *address = sink.get();
        m_setAddressRows = [address](const QList<struct_button_data> &rows) {
            std::vector<struct_button_provider> providers;
            for (const struct_button_data &row : rows)
                providers.push_back(ToProviderLayout(row));
            address->SetRecords(providers);
        };
        m_addressEvent = std::move(sink);
    } else {
        m_financeSumEvent = std::make_unique<CClientFinanceSumReportEvent>();
        auto sink = std::make_unique<CClientAddressListReportEvent>();
        CClientAddressListReportEvent *address = sink.get();
        m_setAddressRows = [address](const QList<struct_button_data> &rows) { address->SetRecords(rows); };
        m_addressEvent = std::move(sink);
    }
    m_financeSumEvent->ConnectTo(m_financeSumReport.get());
    m_addressEvent->ConnectTo(m_addressReport.get());
}

void PartyPage::FirstLoad()
{
    LayoutCards(size());
    // The figures of the first listing are those of the working date's
    // month, like every later one.
    ListPage(0);
}

void PartyPage::resizeEvent(QResizeEvent *event)
{
    PageBase::resizeEvent(event);
    const int w = event->size().width();
    const int h = event->size().height();
    PlacePagingRow(m_prevButton, m_newButton, m_nextButton, m_pageLine, event->size());
    m_areaLabel->setGeometry(w - 85, 15, 80, 20);
    m_areaCombo->setGeometry(w - 90, 40, 85, 24);
    // The side buttons keep to the right edge; one whose picture and
    // caption need more room (a larger desktop font) grows to the left.
    const auto placeSideButton = [w](QToolButton *button, int y) {
        const QSize size = QSize(80, 70).expandedTo(button->sizeHint());
        button->setGeometry(w - 5 - size.width(), y, size.width(), size.height());
    };
    placeSideButton(m_reportButton, 75);
    placeSideButton(m_listButton, 160);
    m_nameLabel->setGeometry(w - 85, 260, 80, 20);
    m_nameEdit->setGeometry(w - 90, 285, 85, 24);
    placeSideButton(m_searchButton, 320);
    LayoutButtons(w, h);
}

bool PartyPage::LayoutButtons(int width, int height)
{
    const int capacity = PageCapacity();
    if (!LayoutCards(QSize(width, height)))
        return false;
    // The cards kept the parties of the old page size: list page 0 in the
    // new one rather than show a page line that does not match the cards.
    if (PageCapacity() != capacity)
        ListPage(0);
    ShowPageInfo();
    return true;
}

void PartyPage::ShowPageInfo()
{
    m_pageLine->setText(Grid().pageLine(PagingGrid::PageLineForm::WithTotal));
}

bool PartyPage::ListPage(int page)
{
    return List(page) == Listing::Shown;
}

PartyPage::Listing PartyPage::List(int page)
{
    int count = 0;
    QList<struct_button_data> parties;
    try {
        PartyStore store(connection(), m_side);
        count = store.CountParties(m_filter);
        if (count > 0 && page >= 0 && page * PageCapacity() < count)
            parties = store.PartiesPage(m_filter, page * PageCapacity(), PageCapacity());
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取%1列表失败。").arg(m_side.partyWord));
        return Listing::Failed;
    }
    // The cards show the parties only with their figures: the totals the
    // table caches are not the working month's.
    if (!WithFigures(parties, GetCurDateString()))
        return Listing::Failed;

    PagingGrid &grid = Grid();
    grid.setRecordCount(count);
    if (count == 0) {
        grid.setCurrentPage(0);
        ShowParties(parties);
        ShowPageInfo();
        ShowEmptyState(true);
        return Listing::Empty;
    }
    // A page past the end (the list shrank meanwhile) leaves the cards as
    // they are.
    if (parties.isEmpty())
        return Listing::PastEnd;
    grid.setCurrentPage(page);
    ShowParties(parties);
    ShowPageInfo();
    ShowEmptyState(false);
    return Listing::Shown;
}

void PartyPage::ShowLastPage()
{
    int count = 0;
    try {
        count = PartyStore(connection(), m_side).CountParties(m_filter);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取%1列表失败。").arg(m_side.partyWord));
        return;
    }
    // The pages of the new count, in the page's present layout.
    PagingGrid pages = Grid();
    pages.setRecordCount(count);
    ListPage(std::max(0, pages.lastPageIndex()));
}

void PartyPage::RecomputeMonth(const QString &date)
{
    SetComputedDate(date);
    ComputeFigures(date);
}

bool PartyPage::WithFigures(QList<struct_button_data> &parties, const QString &date)
{
    if (parties.isEmpty())
        return true;
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    const PeriodRange period{QString(), MonthLastDay(day.isValid() ? date : GetCurDateString()), 0};
    std::vector<PartyOpening> openings;
    openings.reserve(static_cast<std::size_t>(parties.size()));
    for (const struct_button_data &party : parties)
        openings.push_back(PartyOpening{party.ClientName, party.BeginArrears});

    std::vector<PartyFigures> figures;
    try {
        figures = PartyBalances(connection(), m_side).Figures(openings, period);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("计算%1欠款失败。").arg(m_side.partyWord));
        return false;
    }
    for (qsizetype i = 0; i < parties.size(); ++i) {
        // The figures live on the card only; the stored totals stay as the
        // finance side writes them.
        const PartyFigures &f = figures[static_cast<std::size_t>(i)];
        parties[i].ProductPriceSum = DoubleToStr(f.goods - f.returns);
        parties[i].SumIncome = DoubleToStr(f.payments);
        parties[i].ClientSumArrears = DoubleToStr(f.totalArrears);
    }
    return true;
}

void PartyPage::ComputeFigures(const QString &date)
{
    std::vector<int> cards;
    QList<struct_button_data> parties;
    for (int k = 0; k < ShownCount(); ++k) {
        const struct_button_data party = CardParty(k);
        if (party.EmptySlot == 1)
            continue;
        cards.push_back(k);
        parties << party;
    }
    // A failure leaves every card with the figures it had.
    if (!WithFigures(parties, date))
        return;
    for (std::size_t i = 0; i < cards.size(); ++i)
        SetCardParty(cards[i], parties[static_cast<qsizetype>(i)]);
}

bool PartyPage::WriteParty(const std::function<PartyStore::Outcome(PartyStore &)> &write, const QString &failure)
{
    PartyStore::Outcome outcome = PartyStore::Outcome::Gone;
    try {
        PartyStore store(connection(), m_side);
        outcome = write(store);
    } catch (const DbError &error) {
        ShowDbError(error, failure.arg(m_side.partyWord));
        return false;
    }
    switch (outcome) {
    case PartyStore::Outcome::Done:
        return true;
    case PartyStore::Outcome::DuplicateName:
        ShowInfoMessage(m_side.DuplicateNameMessage());
        return false;
    case PartyStore::Outcome::Gone:
        ShowInfoMessage(m_side.GoneMessage());
        return false;
    case PartyStore::Outcome::NoKey:
        ShowErrorMessage(QStringLiteral("%1缺少标识（GUID），未能保存。").arg(m_side.partyWord));
        return false;
    }
    return false;
}

bool PartyPage::AddParty(const struct_button_data &party)
{
    if (!WriteParty([&party](PartyStore &store) { return store.AddParty(party); }, QStringLiteral("保存%1资料失败。")))
        return false;
    // The new party stands at the end of the list unfiltered by name.
    m_nameEdit->clear();
    m_filter.namePart.clear();
    ShowLastPage();
    return true;
}

bool PartyPage::UpdateParty(const struct_button_data &party)
{
    if (!WriteParty(
            [&party](PartyStore &store) { return store.UpdateParty(party); }, QStringLiteral("保存%1资料失败。")))
        return false;
    for (int k = 0; k < ShownCount(); ++k) {
        if (CardParty(k).GUID == party.GUID)
            RefreshCardParty(k, party);
    }
    return true;
}

bool PartyPage::DeleteParty(const struct_button_data &party)
{
    if (!WriteParty(
            [&party](PartyStore &store) { return store.DeleteParty(party.GUID); }, QStringLiteral("删除%1失败。")))
        return false;
    RelistCurrentPage();
    return true;
}

void PartyPage::RelistCurrentPage()
{
    if (List(PageIndex()) == Listing::PastEnd)
        ListPage(LastPageIndex());
}

int PartyPage::RunDetailWindow(int cardIndex, const std::function<void(CDlgClientDetail &)> &prepare)
{
    const struct_button_data shown = CardParty(cardIndex);
    std::optional<struct_button_data> stored;
    try {
        stored = PartyStore(connection(), m_side).PartyByGuid(shown.GUID);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("读取%1资料失败。").arg(m_side.partyWord));
        return 0;
    }
    if (!stored) {
        ShowInfoMessage(m_side.GoneMessage());
        RelistCurrentPage();
        return 0;
    }
    // The window shows the party as stored now, with the figures the card
    // computed.
    RefreshCardParty(cardIndex, *stored);
    int result = 0;
    {
        CDlgClientDetail dialog;
        prepare(dialog);
        dialog.SetBillCommands(m_commands);
        result = Interaction::current().runModal(&dialog);
    }
    // A bill saved from the window changes the figures.
    ComputeFigures(GetCurDateString());
    return result;
}

int PartyPage::ResetCardColors()
{
    ResetCardFaceColors();
    return 1;
}

void PartyPage::OnPrevPage()
{
    ListPage(std::max(0, PageIndex() - 1));
}

void PartyPage::OnNextPage()
{
    // On the last page (or with none) nothing is listed again.
    if (PageIndex() >= LastPageIndex())
        return;
    ListPage(PageIndex() + 1);
}

void PartyPage::OnNewParty()
{
    CDlgNewClient dialog;
    dialog.SetPage(this);
    dialog.SetMode(m_side.party == PartyProvider ? ClientEditNewProvider : ClientEditNewClient);
    Interaction::current().runModal(&dialog);
}

void PartyPage::OnAreaChanged()
{
    const int index = m_areaCombo->currentIndex();
    m_filter.area = index >= 1 && index <= 3 ? QString::number(index) : QString();
    ListPage(0);
}

void PartyPage::OnSearch()
{
    m_filter.namePart = m_nameEdit->text();
    ListPage(0);
}

void PartyPage::ShowFinanceSumReport()
{
    const QString today = GetCurDateString();
    CDlgPrtMonthSelDate dialog;
    dialog.SetDateRange(MonthFirstDay(today), MonthLastDay(today));
    dialog.SetOwnerPage(nullptr);
    dialog.SetHideZeroOption(1);
    if (Interaction::current().runModal(&dialog) != 1)
        return;
    PeriodRange period;
    dialog.GetResult(period);
    if (!BuildFinanceSumRows(period))
        return;
    m_financeSumEvent->SetRecords(m_financeSumRows);
    ShowReport(m_financeSumReport.get());
}

void PartyPage::ShowAddressList()
{
    if (!BuildAddressListRows())
        return;
    m_setAddressRows(m_addressRows);
    ShowReport(m_addressReport.get());
}

bool PartyPage::BuildFinanceSumRows(const PeriodRange &period)
{
    QList<ClientFinanceSumInfo> rows;
    try {
        rows = PartyListReports(connection(), m_side).FinanceSumRows(period);
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("生成统计报表失败。"));
        return false;
    }
    m_financeSumRows = rows;
    if (ReportParameter *title = m_financeSumReport->FindParameterByName(QStringLiteral("TitleMonth")))
        title->SetAsText(PartyListReports::TitleMonthText(period));
    return true;
}

bool PartyPage::BuildAddressListRows()
{
    QList<struct_button_data> rows;
    try {
        rows = PartyListReports(connection(), m_side).AddressListRows();
    } catch (const DbError &error) {
        ShowDbError(error, QStringLiteral("生成%1列表失败。").arg(m_side.partyWord));
        return false;
    }
    m_addressRows = rows;
    return true;
}

void PartyPage::ShowReport(GridReport *report)
{
    if (!report->OutputReport(1))
        ShowErrorMessage(report->lastError());
}

CDlgTabClient::CDlgTabClient(QWidget *parent)
    : CDlgTabClient(RecordCardPool<CBCGPDataButton>::ScreenPoolSize(), parent)
{
}

CDlgTabClient::CDlgTabClient(int poolSize, QWidget *parent)
    : PartyCardPage(PartySideInfo::Client(), poolSize, parent)
{
}

int CDlgTabClient::SetMainDlg(CDlgMainDlg *mainDlg)
{
    m_pMainDlg = mainDlg;
    return 1;
}

void CDlgTabClient::PrepareDetail(CDlgClientDetail &dialog, CBCGPDataButton &card)
{
    dialog.SetClientRecord(*card.GetRecord());
    dialog.SetClientButton(&card);
    dialog.SetMode(PartyClient);
    dialog.SetClientTab(this);
}

CDlgTabProviderMgr::CDlgTabProviderMgr(QWidget *parent)
    : CDlgTabProviderMgr(RecordCardPool<CBCGPProviderButton>::ScreenPoolSize(), parent)
{
}

CDlgTabProviderMgr::CDlgTabProviderMgr(int poolSize, QWidget *parent)
    : PartyCardPage(PartySideInfo::Provider(), poolSize, parent)
{
}

void CDlgTabProviderMgr::PrepareDetail(CDlgClientDetail &dialog, CBCGPProviderButton &card)
{
    dialog.SetMode(PartyProvider);
    dialog.SetProviderRecord(*card.GetRecord());
    dialog.SetProviderButton(&card);
    dialog.SetProviderTab(this);
}
