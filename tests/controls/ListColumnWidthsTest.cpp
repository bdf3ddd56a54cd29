#include <gtest/gtest.h>

#include "ListColumnFitter.h"

// Columns given as {fit, title, widest text}; the widths worked out by hand.
TEST(ListColumnWidths, WholeColumnsInFullNamesAndRemarksShareTheRestTheLastReachingTheEdge)
{
    constexpr ColumnFit W = ColumnFit::Whole, S = ColumnFit::Shared;
    const struct
    {
        const char* what;
        std::vector<ListColumnNeed> needs;
        int room;
        std::vector<int> widths;
    } cases[] = {
        {"room to spare goes to the last", {{W, 50, 120}, {S, 40, 80}, {S, 60, 100}}, 400, {120, 80, 200}},
        {"a whole last column reaches the edge too", {{S, 40, 30}, {W, 40, 60}}, 200, {40, 160}},
        // 400 - 120 = 280: the name whole at 80, the remark gets 200.
        {"the narrow name stays whole", {{W, 50, 120}, {S, 40, 80}, {S, 60, 400}}, 400, {120, 80, 200}},
        // 201 shared as 101 and 100: the pixel short of a level goes first.
        {"wide ones cut alike", {{S, 30, 300}, {S, 30, 300}}, 201, {101, 100}},
        {"a long title stays whole", {{S, 90, 100}, {S, 20, 300}}, 150, {90, 60}},
        {"titles wider than the view pass its edge", {{W, 50, 100}, {S, 80, 300}}, 150, {100, 80}},
        {"no room at all", {{W, 50, 100}, {S, 80, 300}}, 0, {100, 80}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListColumnWidths(c.needs, c.room), c.widths) << c.what;
}
