#include "PagingGrid.h"

#include <algorithm>

PagingGrid::PagingGrid(int poolSize, const GridMetrics &metrics)
    : m_metrics(metrics)
    , m_poolSize(std::max(1, poolSize))
{
    // Slot sizes of 0 would divide by zero in layout().
    m_metrics.slotWidth = std::max(1, m_metrics.slotWidth);
    m_metrics.slotHeight = std::max(1, m_metrics.slotHeight);
    setGrid(1, m_poolSize);
}

int PagingGrid::PoolSizeFor(const QSize &fullScreen, const GridMetrics &metrics)
{
    const int columns = (fullScreen.width() - metrics.poolReservedWidth) / std::max(1, metrics.slotWidth);
    const int rows = (fullScreen.height() - metrics.poolReservedHeight) / std::max(1, metrics.slotHeight);
    const long long size = static_cast<long long>(std::max(1, columns)) * std::max(1, rows);
    // A wall of screens must not make a page create widgets by the ten
    // thousand; the grid never shows more than the pool anyway.
    return static_cast<int>(std::min<long long>(size, 10000));
}

bool PagingGrid::layout(const QSize &clientSize)
{
    if (clientSize.width() < 1 || clientSize.height() < 1)
        return false;
    const int freeWidth = clientSize.width() - m_metrics.reservedWidth;
    const int freeHeight = clientSize.height() - m_metrics.reservedHeight;
    // A page too small for one slot still gets one row and one column: the
    // page counts divide by the capacity.
    const int columns = std::max(1, freeWidth / m_metrics.slotWidth);
    const int rows = std::max(1, freeHeight / m_metrics.slotHeight);
    setGrid(rows, columns);
    m_gapX = std::max(0, (freeWidth - columns * m_metrics.slotWidth) / columns);
    m_gapY = rows >= 2 ? std::max(0, (freeHeight - rows * m_metrics.slotHeight) / (rows - 1)) : 0;
    return true;
}

void PagingGrid::layoutFixed(int rows, int columns)
{
    setGrid(std::max(1, rows), std::max(1, columns));
    m_gapX = 0;
    m_gapY = 0;
}

void PagingGrid::setGrid(int rows, int columns)
{
    m_rows = rows;
    m_columns = columns;
    const long long slotCount = static_cast<long long>(rows) * columns;
    m_capacity = static_cast<int>(std::clamp<long long>(slotCount, 1, m_poolSize));
    setCurrentPage(m_currentPage);
}

QRect PagingGrid::slotRect(int slot) const
{
    const int row = slot / m_columns;
    const int column = slot % m_columns;
    const int x = column * (m_metrics.slotWidth + m_gapX + m_metrics.spacingX) + m_metrics.originX;
    const int y = row * (m_metrics.slotHeight + m_gapY + m_metrics.spacingY) + m_metrics.originY;
    return QRect(x, y, m_metrics.slotWidth, m_metrics.slotHeight);
}

void PagingGrid::setRecordCount(int count)
{
    m_recordCount = std::max(0, count);
    setCurrentPage(m_currentPage);
}

int PagingGrid::pageCount() const
{
    return m_recordCount / m_capacity + (m_recordCount % m_capacity != 0 ? 1 : 0);
}

void PagingGrid::setCurrentPage(int page)
{
    m_currentPage = std::clamp(page, 0, std::max(0, lastPageIndex()));
}

bool PagingGrid::previousPage()
{
    if (m_currentPage <= 0)
        return false;
    --m_currentPage;
    return true;
}

bool PagingGrid::nextPage()
{
    if (m_currentPage >= lastPageIndex())
        return false;
    ++m_currentPage;
    return true;
}

int PagingGrid::recordsOnPage() const
{
    return std::clamp(m_recordCount - firstRecordOfPage(), 0, m_capacity);
}

QString PagingGrid::pageLine(PageLineForm form) const
{
    const QString count = QString::number(m_recordCount);
    const QString page = QString::number(m_currentPage + 1);
    if (form == PageLineForm::Short)
        return QStringLiteral("共 %1 条记录，第 %2 页。").arg(count, page);
    return QStringLiteral("共 %1 条记录，第 %2 / %3 页。").arg(count, page, QString::number(pageCount()));
}
