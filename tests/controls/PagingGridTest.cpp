#include <gtest/gtest.h>

#include <climits>

#include "PagingGrid.h"

TEST(PagingGrid, SpreadsTheSlotsOverTheFreeRoomAndPagesTheRecords)
{
    PagingGrid grid(50);
    ASSERT_TRUE(grid.layout(QSize(1000, 700)));
    // (1000 - 115) / 230 = 3 columns, (700 - 100) / 77 = 7 rows; gaps
    // (885 - 690) / 3 = 65 across and (600 - 539) / 6 = 10 down.
    EXPECT_EQ(grid.capacity(), 21);
    EXPECT_EQ(grid.slotRect(0), QRect(15, 13, 230, 77));
    EXPECT_EQ(grid.slotRect(4), QRect(15 + 230 + 65 + 2, 13 + 77 + 10 + 2, 230, 77));
    // A single row has no vertical gap; a minimised page changes nothing.
    ASSERT_TRUE(grid.layout(QSize(600, 250)));
    EXPECT_EQ(grid.slotRect(1).top(), 13);
    EXPECT_FALSE(grid.layout(QSize(0, 700)));
    EXPECT_FALSE(grid.layout(QSize(1000, -5)));
    EXPECT_EQ(grid.capacity(), 2);

    // Never a division by zero, never more slots than cards.
    PagingGrid small(5);
    ASSERT_TRUE(small.layout(QSize(1000, 700)));
    EXPECT_EQ(small.rows() * small.columns(), 21);
    EXPECT_EQ(small.capacity(), 5);
    PagingGrid huge(30);
    ASSERT_TRUE(huge.layout(QSize(INT_MAX / 2, INT_MAX / 2)));
    EXPECT_EQ(huge.capacity(), 30);
    PagingGrid tiny(20);
    ASSERT_TRUE(tiny.layout(QSize(200, 90)));
    EXPECT_EQ(tiny.capacity(), 1);
    tiny.setRecordCount(3);
    EXPECT_EQ(tiny.pageCount(), 3);
    // The pool is made for the full screen: (1920 - 208) / 230 x (1080 - 120) / 77.
    EXPECT_EQ(PagingGrid::PoolSizeFor(QSize(1920, 1080)), 7 * 12);
    EXPECT_EQ(PagingGrid::PoolSizeFor(QSize(100, 100)), 1);

    // Paging stops at both ends; resizes keep the current page within the pages.
    grid = PagingGrid(40);
    ASSERT_TRUE(grid.layout(QSize(1000, 500))); // 3 x 5
    grid.setRecordCount(30);
    EXPECT_EQ(grid.pageLine(), "共 30 条记录，第 1 / 2 页。");
    EXPECT_EQ(grid.recordsOnPage(), 15);
    EXPECT_FALSE(grid.previousPage());
    EXPECT_TRUE(grid.nextPage());
    EXPECT_EQ(grid.pageLine(), "共 30 条记录，第 2 / 2 页。");
    EXPECT_EQ(grid.firstRecordOfPage(), 15);
    EXPECT_FALSE(grid.nextPage());
    EXPECT_TRUE(grid.previousPage());

    grid.setRecordCount(31);
    grid.setCurrentPage(99);
    EXPECT_EQ(grid.recordsOnPage(), 1);
    EXPECT_EQ(grid.pageLine(PagingGrid::PageLineForm::Short), "共 31 条记录，第 3 页。");
    ASSERT_TRUE(grid.layout(QSize(1000, 700))); // 21 a page: two pages
    EXPECT_EQ(grid.currentPage(), 1);
    EXPECT_EQ(grid.recordsOnPage(), 10);
    ASSERT_TRUE(grid.layout(QSize(400, 200))); // one a page
    EXPECT_EQ(grid.pageLine(), "共 31 条记录，第 2 / 31 页。");

    grid.setRecordCount(0);
    EXPECT_EQ(grid.currentPage(), 0);
    EXPECT_FALSE(grid.nextPage());
    EXPECT_EQ(grid.recordsOnPage(), 0);
    EXPECT_EQ(grid.pageLine(), "共 0 条记录，第 1 / 0 页。");
}
