#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "ui/ColumnWidths.h"

namespace {

int Sum(const std::vector<int>& widths)
{
    return std::accumulate(widths.begin(), widths.end(), 0);
}

}  // namespace

TEST(ColumnWidths, RoomIsSharedInProportionWhenNoColumnIsCut)
{
    EXPECT_EQ(ShareColumnWidths(400, {{20, 10}, {10, 10}, {10, 10}}), (std::vector<int>{200, 100, 100}));
}

// A narrow list: the Size column would get 40 pixels where "9,765,625 KB"
// needs 90, so it keeps 90 and the others share the rest in proportion.
TEST(ColumnWidths, ColumnsThatWouldBeCutKeepTheirMinimum)
{
    std::vector<int> widths = ShareColumnWidths(400, {{20, 40}, {10, 90}, {10, 30}, {60, 60}});
    EXPECT_EQ(widths[1], 90);
    EXPECT_LE(Sum(widths), 400);
    EXPECT_GE(Sum(widths), 397);  // what integer division leaves
    for (size_t i = 0; i < widths.size(); ++i)
        EXPECT_GE(widths[i], std::vector<int>({40, 90, 30, 60})[i]) << i;
    EXPECT_NEAR(widths[3], 3 * widths[0], 3);  // still in proportion
}

// A minimum settled late can push another column under its own minimum; that
// one is then settled too.
TEST(ColumnWidths, SettlingOneColumnCanSettleAnother)
{
    std::vector<int> widths = ShareColumnWidths(300, {{1, 200}, {1, 0}, {1, 95}});
    EXPECT_EQ(widths, (std::vector<int>{200, 5, 95}));
}

TEST(ColumnWidths, TooNarrowForTheMinimumsGivesEveryColumnItsMinimum)
{
    EXPECT_EQ(ShareColumnWidths(100, {{1, 80}, {1, 80}}), (std::vector<int>{80, 80}));
    EXPECT_EQ(ShareColumnWidths(-5, {{1, 10}, {0, 0}}), (std::vector<int>{10, 0}));
    EXPECT_TRUE(ShareColumnWidths(100, {}).empty());
}
