#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <optional>

#include "BillPageBase.h"
#include "FinanceBillSide.h"
#include "FinanceBillStore.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

class QComboBox;
class QLabel;
class ImageButton;

// The finance-bill page of one side ("财务单据"): the bills of the working
// day (当天单据) or month (当月单据) as cards, a page at a time, in table
// order. 新增财务单据 opens the chooser; a card opens its bill in the editor.
//
// It is the one writer of the side's finance bills: the editor hands it a
// bill, and it writes the row together with the income totals and account
// balances the bill feeds, in one transaction (FinanceBillWriter). Its
// cards and page line change only after the commit; a failed write shows
// its error and changes nothing on screen.
//
// Bills travel in the sales layout on both sides. The cards live in the
// side's page class (FinanceBillCardPage below).
class FinanceBillPage : public BillPageBase
{
    Q_OBJECT

public:
    enum class WriteResult {
        Written,
        // No row has the bill's GUID any more: nothing was written.
        Gone,
        // The database failed; the error was shown and nothing changed.
        Failed,
    };


    // The main window's date refresh: lists page m_nCurPage (which it has
    // set to 0) of the bills of the date's day or month.
    int RefreshByDate(const QString &date);

    // Adds the bill, then lists the last page under the current filter.
    // False when nothing was written.
    bool InsertFinanceBill(const struct_button_financebill &bill);
    // Changes the bill; the cards showing it take its new texts in place.
    // Gone: says so and lists the current page again.
    WriteResult UpdateFinanceBill(const struct_button_financebill &bill);
    // Deletes the bill (Gone: someone else did), then lists the current
    // page again.
    WriteResult DeleteFinanceBill(const struct_button_financebill &bill);

    // Lists the page (0-based, kept within the pages there are) under the
    // current filter; 0 when no bill was listed.
    int ReadDataByPage(int page);
    int ResetFinanceBillButtonFaces();

    // What the page shows.
    FinanceBillFilter Filter() const { return m_filter; }
    int RecordCount() const { return Grid().recordCount(); }
    int PageIndex() const { return Grid().currentPage(); }
    int LastPageIndex() const { return Grid().lastPageIndex(); }
    int PageCapacity() const { return Grid().capacity(); }
    virtual int PoolSize() const = 0;
    // The cards showing a bill, and the bill of the k-th shown card.
    virtual int VisibleCardCount() const = 0;
    virtual struct_button_financebill CardBill(int k) const = 0;
    QString PageLine() const;

protected:
    FinanceBillPage(const FinanceBillSide &side, QWidget *parent);
    // The derived page calls it once its cards exist: lists the first page
    // of the working day's bills.
    void Start();

    virtual PagingGrid &Grid() = 0;
    virtual const PagingGrid &Grid() const = 0;
    virtual void ShowBills(const QList<struct_button_financebill> &bills) = 0;
    virtual bool LayoutCards(const QSize &size) = 0;
    // Cards showing the bill's GUID take its new texts.
    virtual void RefreshCards(const struct_button_financebill &bill) = 0;
    virtual void ResetCards() = 0;

    // The stored bill a card is about to open; nothing, after saying why and
    // listing the page again, when it is gone or cannot be read.
    std::optional<struct_button_financebill> BillToOpen(const QString &guid);

    void resizeEvent(QResizeEvent *event) override;

private:
    bool ListPage(int page);
    void ShowLastPage();
    void ShowPageInfo();
    // Lists page `page` of the working date's bills (paging commands).
    void ListWorkingDate(int page);
    // Takes the date and the range box's choice as the filter.
    void UseFilterDate(const QString &date);

    void OnPrevPage();
    void OnNextPage();
    void OnNewBill();
    void OnSelchangeBillRange();

    const FinanceBillSide &m_side;
    FinanceBillFilter m_filter;
    ImageButton *m_prevButton = nullptr;
    ImageButton *m_newButton = nullptr;
    ImageButton *m_nextButton = nullptr;
    QLabel *m_pageLine = nullptr;
};

// The cards of one side's page: Card is CBCGPFinanceBillButton or
// CBCGPFinanceBillButton_Provider.
template<typename Card>
class FinanceBillCardPage : public FinanceBillPage, public Card::Owner
{
public:
    using Record = typename Card::Record;

    int PoolSize() const override { return m_pool->size(); }
    int VisibleCardCount() const override;
    struct_button_financebill CardBill(int k) const override;

    // What a card asks of its page.
    void ResetCardFaces() override { ResetFinanceBillButtonFaces(); }
    int OpenCardRecord(Card &card, int mode) override;
    bool DeleteCardRecord(const Record &record) override;

protected:
    FinanceBillCardPage(const FinanceBillSide &side, int poolSize, QWidget *parent);

    PagingGrid &Grid() override { return m_pool->grid(); }
    const PagingGrid &Grid() const override { return m_pool->grid(); }
    void ShowBills(const QList<struct_button_financebill> &bills) override;
    bool LayoutCards(const QSize &size) override { return m_pool->layout(size); }
    void RefreshCards(const struct_button_financebill &bill) override;
    void ResetCards() override { m_pool->ResetFaces(); }

private:
    std::unique_ptr<RecordCardPool<Card>> m_pool;
};

// 客户 group: the bills of tbl_FinanceBill_income.
class CDlgTabFina : public FinanceBillCardPage<CBCGPFinanceBillButton>
{
    Q_OBJECT

public:
    explicit CDlgTabFina(QWidget *parent = nullptr);
    // A page whose card pool holds poolSize cards whatever the screen
    // (tests and benchmarks; the program sizes the pool from the screen).
    CDlgTabFina(int poolSize, QWidget *parent);
};

// 供应商 group: the bills of tbl_FinanceBill_income_provider.
class CDlgTabFina_Provider : public FinanceBillCardPage<CBCGPFinanceBillButton_Provider>
{
    Q_OBJECT

public:
    explicit CDlgTabFina_Provider(QWidget *parent = nullptr);
    CDlgTabFina_Provider(int poolSize, QWidget *parent);
};
