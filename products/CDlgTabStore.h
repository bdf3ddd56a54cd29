#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <optional>

#include "CProductMonthBalanceReportEvent.h"
#include "CProductShipmentGainReportEvent.h"
#include "CProductStockShipmentSumReportEvent.h"
#include "CProductTradeDetailReportEvent.h"
#include "PageBase.h"
#include "ProductSearchCriteria.h"
#include "ProductSums.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

class QComboBox;
class QLabel;
class ImageButton;
class GridReport;

// The store page "仓库管理": the products as pages of cards, each showing
// the product's stock figure at the end of the working month (worked out
// from the goods-bill lines, held only on the card), with filters by code,
// name and variant. It is the one writer of product rows: the
// product dialog hands it its record, and the page's list and cards change
// only after the write succeeded. It also runs the purchase-and-sales sums
// and the sales gain reports over a chosen period.
class CDlgTabStore : public PageBase, public StoreButtonOwner
{
    Q_OBJECT

public:
    explicit CDlgTabStore(QWidget *parent = nullptr);
    // A page whose card pool holds poolSize cards whatever the screen
    // (tests and benchmarks; the program sizes the pool from the screen).
    CDlgTabStore(int poolSize, QWidget *parent);
    ~CDlgTabStore() override;

    // The stock figures of the shown cards as at the end of date's month.
    // The main window calls it when the working date or the visible page
    // changes.
    void UpdateProductMonthFigures(const QString &date);

    // Writers of product rows. Each shows its own error and answers false
    // when the write failed, changing nothing on screen; true only after
    // the write succeeded.
    // Writes every column, then lists the last page under the filters.
    bool AddProduct(const struct_button_storeproduct &product);
    // By GUID; never writes the stored stock count. Cards showing the
    // product take its new texts and keep their figure.
    bool UpdateProduct(const struct_button_storeproduct &product);
    // By GUID; then counts the products under the filters again and lists
    // the page shown (the one before it when the delete emptied it).
    bool DeleteProduct(const struct_button_storeproduct &product);
    // Lists the page (0-based) under the filters, with its stock figures.
    // A page past the end changes nothing.
    void FilterProducts(int page);

    int ResetButtonColors();

    // What the page shows.
    int RecordCount() const { return m_pool->grid().recordCount(); }
    int PageIndex() const { return m_pool->grid().currentPage(); }
    int LastPageIndex() const { return m_pool->grid().lastPageIndex(); }
    int PageCapacity() const { return m_pool->grid().capacity(); }
    int PoolSize() const { return m_pool->size(); }
    CBCGPStoreMgrButton *ProductButton(int index) const { return m_pool->card(index); }
    ProductSearchCriteria Filter() const { return m_filter; }

    // The reports: the period of the last run and the rows it built.
    SumPeriod Period() const { return m_period; }
    const QList<ProductStockShipmentSumInfo> &SumRows() const { return m_sumRows; }
    GridReport *MonthBalanceReport() const { return m_monthBalanceReport.get(); }

    // StoreButtonOwner: what a card asks of its page.
    void ResetCardFaces() override { ResetButtonColors(); }
    int OpenCardRecord(CBCGPStoreMgrButton &card, int mode) override;
    bool DeleteCardRecord(const struct_button_storeproduct &record) override { return DeleteProduct(record); }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateControls();
    void CreateReports();
    void FillFilterCombos();
    // Fits the card grid to the page; false for a page of no size. When
    // the number of cards per page changed, page 0 is listed again.
    bool LayoutButtons(int width, int height);
    void ShowPageInfo();
    // Reads the page's products into the cards; false when nothing was
    // listed (no product matches, the page is past the end, or the
    // database failed).
    bool ListPage(int page);
    void ShowLastPage();
    // The page grid for the products now matching the filters; nothing,
    // after saying why, when the database failed.
    std::optional<PagingGrid> RecountPages();
    void RelistAfterDelete();
    void ComputeFigures(const QString &date);
    bool AskPeriod();
    // Asks for the period and builds the sums rows over it; false when the
    // person cancelled or the database failed.
    bool RunSums();
    void ShowReport(GridReport *report);

    void OnPrevPage();
    void OnNextPage();
    void OnNewProduct();
    void OnFilter();
    void OnStockShipmentSum();
    void OnShipmentGain();

    std::unique_ptr<RecordCardPool<CBCGPStoreMgrButton>> m_pool;
    ProductSearchCriteria m_filter;
    SumPeriod m_period;

    QList<ProductStockShipmentSumInfo> m_sumRows;
    QList<ProductShipmentGainInfo> m_gainRows;
    // The month balance and trade detail have their templates and sinks but
    // no command fills them yet.
    std::unique_ptr<GridReport> m_monthBalanceReport;
    std::unique_ptr<GridReport> m_sumReport;
    std::unique_ptr<GridReport> m_gainReport;
    std::unique_ptr<GridReport> m_tradeDetailReport;
    // After the reports: a sink disconnects before its report goes.
    std::unique_ptr<CProductMonthBalanceReportEvent> m_monthBalanceEvent;
    std::unique_ptr<CProductStockShipmentSumReportEvent> m_sumEvent;
    std::unique_ptr<CProductShipmentGainReportEvent> m_gainEvent;
    std::unique_ptr<CProductTradeDetailReportEvent> m_tradeDetailEvent;

    ImageButton *m_prevButton = nullptr;
    ImageButton *m_newButton = nullptr;
    ImageButton *m_nextButton = nullptr;
    ImageButton *m_filterButton = nullptr;
    ImageButton *m_sumButton = nullptr;
    ImageButton *m_gainButton = nullptr;
    QComboBox *m_codeCombo = nullptr;
    QComboBox *m_nameCombo = nullptr;
    QComboBox *m_specCombo = nullptr;
    QLabel *m_codeLabel = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLabel *m_specLabel = nullptr;
    QLabel *m_pageLine = nullptr;
};
