#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// The geometry of a page's card grid and its paging, without any widget.
//
// A page keeps a pool of cards created once; the grid says how many of them
// fit the page's client area (rows x columns, at least one of each, never
// more than the pool), where slot k goes, how many pages a record count
// takes and which page is current. Every division is guarded: the capacity
// is at least 1 and never larger than the pool.
struct GridMetrics
{
    int slotWidth = 230;
    int slotHeight = 77;
    // Room the page keeps for its side controls and its bottom row.
    int reservedWidth = 115;
    int reservedHeight = 100;
    // Where slot 0 sits.
    int originX = 15;
    int originY = 13;
    // Added between slots on top of the gap that spreads the slots over
    // the free room.
    int spacingX = 2;
    int spacingY = 2;
    // The pool is made once for the full-screen client area less these.
    int poolReservedWidth = 208;
    int poolReservedHeight = 120;
};

class PagingGrid
{
public:
    enum class PageLineForm { Short, WithTotal };

    explicit PagingGrid(int poolSize, const GridMetrics &metrics = GridMetrics());

    // How many cards a pool needs for a page of the full-screen client size.
    static int PoolSizeFor(const QSize &fullScreen, const GridMetrics &metrics = GridMetrics());

    const GridMetrics &metrics() const { return m_metrics; }
    int poolSize() const { return m_poolSize; }

    // Fits the grid to the page's client size, spreading the slots over the
    // free room. A size below 1 in either direction (a minimised page)
    // changes nothing and answers false.
    bool layout(const QSize &clientSize);
    // A fixed grid without spreading (the pickers' rows of entries).
    void layoutFixed(int rows, int columns);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    // Cards on one page: rows x columns, but at most the pool.
    int capacity() const { return m_capacity; }
    // Where slot k (row k / columns, column k % columns) goes.
    QRect slotRect(int slot) const;

    void setRecordCount(int count);
    int recordCount() const { return m_recordCount; }
    // ceil(records / capacity); 0 without records.
    int pageCount() const;
    // pageCount() - 1, so -1 without records.
    int lastPageIndex() const { return pageCount() - 1; }

    int currentPage() const { return m_currentPage; }
    // Clamped to the pages there are (page 0 when there are none).
    void setCurrentPage(int page);
    // 上一页 stops at the first page, 下一页 at the last; both answer
    // whether the current page changed.
    bool previousPage();
    bool nextPage();

    // Index of the first record of the current page, and how many records
    // the current page shows.
    int firstRecordOfPage() const { return m_currentPage * m_capacity; }
    int recordsOnPage() const;

    // "共 N 条记录，第 P 页。" or "共 N 条记录，第 P / M 页。".
    QString pageLine(PageLineForm form = PageLineForm::WithTotal) const;

private:
    void setGrid(int rows, int columns);

    GridMetrics m_metrics;
    int m_poolSize;
    int m_rows = 1;
    int m_columns = 1;
    int m_capacity = 1;
    int m_gapX = 0;
    int m_gapY = 0;
    int m_recordCount = 0;
    int m_currentPage = 0;
};
