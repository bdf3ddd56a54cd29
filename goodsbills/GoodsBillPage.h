#pragma once

#include <QString>

#include <memory>

#include "BillPageBase.h"
#include "GoodsBillEditing.h"
#include "GoodsBillLines.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

class QComboBox;
class QLabel;
class QPushButton;
class CDlgMainDlg;
class CDlgSelBillDlg;

// The goods-bill page of one side (sales or purchase): bill tiles of the
// chosen day or month, a page at a time, the newest bill on the last page.
// A tile shows its bill's first line and deposit and opens the bill in the
// goods bill editor; 新增货品单据 opens the bill-type chooser. The page only
// reads bills: the editor writes them through GoodsBillWriter and then
// calls ShowLastPage or ShowFirstPage; a tile's delete runs the writer's
// delete here. While the page holds no bill, a speech bubble over
// 新增货品单据 invites the person to add one.
class GoodsBillPage : public BillPageBase
{
    Q_OBJECT

public:
    enum class Side { Sales, Purchase };
    ~GoodsBillPage() override;

    Side BillSide() const { return m_side; }
    const GoodsBillSide &Descriptor() const;

    // Lists the bills of the date under the range combo's filter, on the
    // current page (m_nCurPage, clamped to the pages there are).
    int ChangeDate(const QString &date);
    // After a bill was added: counts again under the filter and shows the
    // last page.
    void ShowLastPage();
    // Lists the current page again, clamped to the last page (a bill
    // found gone when its tile was clicked).
    void RelistCurrentPage();
    // After a bill was deleted: counts again under the filter and shows
    // the first page.
    void ShowFirstPage();

    // What the page shows.
    int RecordCount() const { return Grid().recordCount(); }
    int PageIndex() const { return Grid().currentPage(); }
    int PageCount() const { return Grid().pageCount(); }
    int PageCapacity() const { return Grid().capacity(); }
    QString PageLine() const;
    QString ListedDate() const { return m_filterDate; }
    // The first lines of the bills on the tiles, in tile order.
    const GoodsBillLines &ShownBills() const { return m_shown; }

protected:
    GoodsBillPage(Side side, QWidget *parent);
    // Lists the working date's bills; the derived page calls it once its
    // tiles exist.
    void StartListing();

    virtual PagingGrid &Grid() = 0;
    virtual const PagingGrid &Grid() const = 0;
    virtual void ShowTiles(const GoodsBillLines &firstLines) = 0;
    virtual bool LayoutTiles(const QSize &size) = 0;
    // Tells the chooser this page and its side.
    virtual void PrepareChooser(CDlgSelBillDlg &chooser) = 0;
    // What a tile asks: open its bill (the request names the page and the
    // tile) and delete it.
    int OpenBill(const QString &guid, GoodsBillEditRequest request);
    bool DeleteBill(const QString &guid);

    void resizeEvent(QResizeEvent *event) override;

private:
    // Filter date := date, filter := the range combo; then the page.
    void RefreshBills(const QString &date);
    // Counts the bills under the filter and fills the tiles of the page
    // (clamped); false when the database failed.
    bool ShowBillPage(int page);
    int ModeOf(const QString &billType) const;

    void OnRangeChanged();
    void OnPrevPage();
    void OnNextPage();
    void OnNewBill();

    Side m_side;
    QString m_filterDate;
    int m_filterMode = BillDateDay;
    GoodsBillLines m_shown;
    QComboBox *m_range = nullptr;
    QPushButton *m_prevButton = nullptr;
    QPushButton *m_newButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    QLabel *m_pageLine = nullptr;
};

// The page with its pool of tiles of one card class.
template<typename Card> class GoodsBillTilePage : public GoodsBillPage, public Card::Owner
{
public:
    int PoolSize() const { return m_pool->size(); }
    Card *BillTile(int index) const { return m_pool->card(index); }

    // What a tile asks of its page.
    void ResetCardFaces() override { m_pool->ResetFaces(); }
    int OpenCardRecord(Card &card, int mode) override;
    bool DeleteCardRecord(const typename Card::Record &record) override { return DeleteBill(record.GUID); }

protected:
    GoodsBillTilePage(Side side, int poolSize, QWidget *parent);

    PagingGrid &Grid() override { return m_pool->grid(); }
    const PagingGrid &Grid() const override { return m_pool->grid(); }
    void ShowTiles(const GoodsBillLines &firstLines) override;
    bool LayoutTiles(const QSize &size) override { return m_pool->layout(size); }
    // The request names this page and the tile.
    virtual void Address(GoodsBillEditRequest &request, Card *tile) = 0;

private:
    std::unique_ptr<RecordCardPool<Card>> m_pool;
};

// The client group's 货品单据 page: 出货单 and 退货单.
class CDlgTabGoods : public GoodsBillTilePage<CBCGPGoodsBillButton>
{
    Q_OBJECT

public:
    explicit CDlgTabGoods(QWidget *parent = nullptr);
    // A pool of poolSize tiles whatever the screen (tests, benchmarks).
    CDlgTabGoods(int poolSize, QWidget *parent);
    int SetIntMember(CDlgMainDlg *mainDlg);

protected:
    void PrepareChooser(CDlgSelBillDlg &chooser) override;
    void Address(GoodsBillEditRequest &request, CBCGPGoodsBillButton *tile) override;

private:
    CDlgMainDlg *m_pMainDlg = nullptr;
};

// The provider group's 货品单据 page: 进货单 and 退货单.
class CDlgTabProviderGoods : public GoodsBillTilePage<CBCGPProviderGoodsBillButton>
{
    Q_OBJECT

public:
    explicit CDlgTabProviderGoods(QWidget *parent = nullptr);
    CDlgTabProviderGoods(int poolSize, QWidget *parent);

protected:
    void PrepareChooser(CDlgSelBillDlg &chooser) override;
    void Address(GoodsBillEditRequest &request, CBCGPProviderGoodsBillButton *tile) override;
};
