#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "CDlgPrtMonthSelDate.h"
#include "PageBase.h"
#include "PartyListReports.h"
#include "PartyRows.h"
#include "PartySideInfo.h"
#include "PartyStore.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

class QComboBox;
class QLabel;
class QLineEdit;
class CDlgClientDetail;
class CDlgMainDlg;
class CGridppReportEventImpl;
class GridReport;
class ImageButton;
class QToolButton;
class PartyBillCommands;
template <typename Row, std::size_t N> class ProductReportEvent;

// The client page "客户管理" or the provider page "供应商管理": the side's
// parties as pages of cards, filtered by area and by a part of the name.
// Every card shows the party's goods amount and total arrears up to the
// end of the working month, computed from the bills whenever the page
// lists its cards, when the working date changes and when a detail window
// closes; nothing of it is written back. The page is the one writer of
// its side's party rows: the record dialog and the cards hand it their
// records, and its cards and page line change only after a write
// succeeded. It also prints the finance-sum report and the address list
// of all its side's parties.
//
// The card kind of the side lives in PartyCardPage below; this class works
// on parties in the client layout.
class PartyPage : public PageBase
{
    Q_OBJECT

public:
    ~PartyPage() override;

    const PartySideInfo &SideInfo() const { return m_side; }
    PartySide Side() const { return m_side.party; }

    // The bill commands the detail windows of this page's cards use.
    void SetBillCommands(PartyBillCommands *commands) { m_commands = commands; }

    // Lists the page (0-based) under the filters and computes its cards'
    // figures for the working date. False (the cards as they were) when no
    // party matches, the page lies past the end or the database failed.
    bool ListPage(int page);
    // The figures of the listed cards up to the end of the date's month.
    // The main window calls it when the working date changes.
    void RecomputeMonth(const QString &date);

    // The writers. Each says what went wrong itself and answers false,
    // changing nothing on screen; true only after the write succeeded.
    // Adds the row, clears the name filter and lists the last page.
    bool AddParty(const struct_button_data &party);
    // By GUID; cards showing the party take its new texts.
    bool UpdateParty(const struct_button_data &party);
    // By GUID; lists the current page again (the last one if it is gone).
    bool DeleteParty(const struct_button_data &party);

    // The reports of every party of the side. Each builds its rows, hands
    // them to its sink and shows the report; a failed read shows its
    // message and no report.
    // Asks for the period (preset to the working month) first; a cancelled
    // period builds and shows nothing.
    void ShowFinanceSumReport();
    void ShowAddressList();
    // The rows of the last build.
    bool BuildFinanceSumRows(const PeriodRange &period);
    bool BuildAddressListRows();
    const QList<ClientFinanceSumInfo> &FinanceSumRows() const { return m_financeSumRows; }
    const QList<struct_button_data> &AddressListRows() const { return m_addressRows; }
    GridReport *FinanceSumReport() const { return m_financeSumReport.get(); }

    // What the page shows.
    int RecordCount() const { return Grid().recordCount(); }
    int PageIndex() const { return Grid().currentPage(); }
    int LastPageIndex() const { return Grid().lastPageIndex(); }
    int PageCapacity() const { return Grid().capacity(); }
    virtual int PoolSize() const = 0;
    PartyFilter Filter() const { return m_filter; }
    // The party of a card of the pool and whether the card is shown.
    virtual struct_button_data CardParty(int index) const = 0;
    virtual bool IsCardShown(int index) const = 0;
    virtual RecordCard *CardAt(int index) const = 0;

    int ResetCardColors();

protected:
    PartyPage(const PartySideInfo &side, QWidget *parent);

    // The first listing, once the derived page has made its cards.
    void FirstLoad();

    virtual PagingGrid &Grid() = 0;
    virtual const PagingGrid &Grid() const = 0;
    virtual int ShownCount() const = 0;
    virtual void ShowParties(const QList<struct_button_data> &parties) = 0;
    virtual bool LayoutCards(const QSize &clientSize) = 0;
    virtual void SetCardParty(int index, const struct_button_data &party) = 0;
    virtual void RefreshCardParty(int index, const struct_button_data &party) = 0;
    virtual void ResetCardFaceColors() = 0;

    // What a card's click runs: the party as stored now (a party deleted
    // elsewhere is said to be gone and the page listed again), the detail
    // window prepared by prepare, then the figures again. Answers the
    // window's result.
    int RunDetailWindow(int cardIndex, const std::function<void(CDlgClientDetail &)> &prepare);
    // Deletes the card's party (its card calls it after the detail window's
    // delete was confirmed).
    bool DeleteCardParty(const struct_button_data &party) { return DeleteParty(party); }

    void resizeEvent(QResizeEvent *event) override;

private:
    enum class Listing { Shown, Empty, PastEnd, Failed };
    Listing List(int page);
    void CreateControls();
    void CreateReports();
    bool LayoutButtons(int width, int height);
    void ShowPageInfo();
    void ShowLastPage();
    // After a delete: the current page again, or the last one when the
    // current one is gone.
    void RelistCurrentPage();
    // Runs a write of the store and says what kept it from being done;
    // failure is the action's sentence with %1 for the party word.
    bool WriteParty(const std::function<PartyStore::Outcome(PartyStore &)> &write, const QString &failure);
    // Puts the parties' figures up to the end of the date's month into
    // them; false, after saying why, when the bills could not be read.
    bool WithFigures(QList<struct_button_data> &parties, const QString &date);
    // The figures of the cards that show a party.
    void ComputeFigures(const QString &date);
    void ShowReport(GridReport *report);

    void OnPrevPage();
    void OnNextPage();
    void OnNewParty();
    void OnAreaChanged();
    void OnSearch();

    const PartySideInfo &m_side;
    PartyBillCommands *m_commands = nullptr;
    PartyFilter m_filter;

    QList<ClientFinanceSumInfo> m_financeSumRows;
    QList<struct_button_data> m_addressRows;
    std::unique_ptr<GridReport> m_financeSumReport;
    std::unique_ptr<GridReport> m_addressReport;
    // After the reports: a sink disconnects before its report goes.
    std::unique_ptr<ProductReportEvent<ClientFinanceSumInfo, 7>> m_financeSumEvent;
    std::unique_ptr<CGridppReportEventImpl> m_addressEvent;
    std::function<void(const QList<struct_button_data> &)> m_setAddressRows;

    ImageButton *m_prevButton = nullptr;
    ImageButton *m_newButton = nullptr;
    ImageButton *m_nextButton = nullptr;
    QToolButton *m_reportButton = nullptr;
    QToolButton *m_listButton = nullptr;
    QToolButton *m_searchButton = nullptr;
    QComboBox *m_areaCombo = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    QLabel *m_areaLabel = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLabel *m_pageLine = nullptr;
};

// The page over the side's card kind: the pool of cards made once for the
// screen, and what a card asks of its page.
template <typename Card> class PartyCardPage : public PartyPage, public RecordCardOwner<Card, typename Card::Record>
{
public:
    using Record = typename Card::Record;

    int PoolSize() const override { return m_pool->size(); }
    struct_button_data CardParty(int index) const override { return AsParty(m_pool->card(index)->record()); }
    bool IsCardShown(int index) const override { return !m_pool->card(index)->isHidden(); }
    RecordCard *CardAt(int index) const override { return m_pool->card(index); }
    Card *PartyCard(int index) const { return m_pool->card(index); }

    // What a card asks of its page.
    void ResetCardFaces() override { ResetCardFaceColors(); }
    int OpenCardRecord(Card &card, int) override
    {
        for (int k = 0; k < m_pool->size(); ++k) {
            if (m_pool->card(k) == &card)
                return RunDetailWindow(k, [this, &card](CDlgClientDetail &dialog) { PrepareDetail(dialog, card); });
        }
        return 0;
    }
    bool DeleteCardRecord(const Record &record) override { return DeleteCardParty(AsParty(record)); }

protected:
    PartyCardPage(const PartySideInfo &side, int poolSize, QWidget *parent)
        : PartyPage(side, parent)
        , m_pool(std::make_unique<RecordCardPool<Card>>(this, this, poolSize))
    {
        FirstLoad();
    }

    // Hands the card's record, the card and the page to the detail window
    // in the order the side's cards do.
    virtual void PrepareDetail(CDlgClientDetail &dialog, Card &card) = 0;

    PagingGrid &Grid() override { return m_pool->grid(); }
    const PagingGrid &Grid() const override { return m_pool->grid(); }
    int ShownCount() const override { return m_pool->shownCount(); }
    void ShowParties(const QList<struct_button_data> &parties) override
    {
        std::vector<Record> records;
        records.reserve(static_cast<std::size_t>(parties.size()));
        for (const struct_button_data &party : parties)
            records.push_back(FromParty<Record>(party));
        m_pool->showRecords(records);
    }
    bool LayoutCards(const QSize &clientSize) override { return m_pool->layout(clientSize); }
    void SetCardParty(int index, const struct_button_data &party) override
    {
        m_pool->card(index)->UpdateRecord(FromParty<Record>(party));
    }
    void RefreshCardParty(int index, const struct_button_data &party) override
    {
        m_pool->card(index)->RefreshRecord(FromParty<Record>(party));
    }
    void ResetCardFaceColors() override { m_pool->ResetFaces(); }

private:
    std::unique_ptr<RecordCardPool<Card>> m_pool;
};

// The client page "客户管理" (the client group's page 0).
class CDlgTabClient : public PartyCardPage<CBCGPDataButton>
{
    Q_OBJECT

public:
    explicit CDlgTabClient(QWidget *parent = nullptr);
    // A page whose card pool holds poolSize cards whatever the screen
    // (tests and benchmarks; the program sizes the pool from the screen).
    CDlgTabClient(int poolSize, QWidget *parent);

    int SetMainDlg(CDlgMainDlg *mainDlg);
    void RefreshClientTotals(const QString &date) { RecomputeMonth(date); }
    int LoadClientPage(int page) { return ListPage(page) ? 1 : 0; }
    bool AddClient(const struct_button_data &client) { return AddParty(client); }
    bool UpdateClient(const struct_button_data &client) { return UpdateParty(client); }
    bool DeleteClient(const struct_button_data &client) { return DeleteParty(client); }
    int ResetButtonFaces() { return ResetCardColors(); }
    void OnBnClickedStatReport() { ShowFinanceSumReport(); }
    void OnBnClickedClientList() { ShowAddressList(); }

protected:
    void PrepareDetail(CDlgClientDetail &dialog, CBCGPDataButton &card) override;

private:
    CDlgMainDlg *m_pMainDlg = nullptr;
};

// The provider page "供应商管理" (the provider group's page 0).
class CDlgTabProviderMgr : public PartyCardPage<CBCGPProviderButton>
{
    Q_OBJECT

public:
    explicit CDlgTabProviderMgr(QWidget *parent = nullptr);
    CDlgTabProviderMgr(int poolSize, QWidget *parent);

    void UpdateProviderBalances(const QString &date) { RecomputeMonth(date); }
    int LoadProviderPage(int page) { return ListPage(page) ? 1 : 0; }
    bool AddProvider(const struct_button_provider &provider) { return AddParty(AsParty(provider)); }
    bool UpdateProvider(const struct_button_provider &provider) { return UpdateParty(AsParty(provider)); }
    bool DeleteProvider(const struct_button_provider &provider) { return DeleteParty(AsParty(provider)); }
    int ResetButtonColors() { return ResetCardColors(); }
    void OnBnClickedStatReport() { ShowFinanceSumReport(); }
    void OnBnClickedProviderList() { ShowAddressList(); }

protected:
    void PrepareDetail(CDlgClientDetail &dialog, CBCGPProviderButton &card) override;
};
