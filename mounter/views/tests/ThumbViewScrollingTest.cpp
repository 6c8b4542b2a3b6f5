// The thumbnail view's scroll bars in half cells, without a window: ranges and pages for the cells
// and the client area, and where each scroll bar code moves.
#include "ThumbViewScrolling.h"

#include <gtest/gtest.h>

using namespace thumbscroll;

TEST(ThumbViewScrollingTest, RangesCountHalfCellsAndVanishWhenEverythingFits) {
    EXPECT_EQ(0, Horizontal(4, 700).max) << "four columns fit 700 pixels";
    EXPECT_EQ(0, Horizontal(4, 700).page);
    Setting narrow = Horizontal(4, 400);
    EXPECT_EQ(7, narrow.max);
    EXPECT_EQ(4, narrow.page) << "two columns of 154 pixels fit";
    Setting tall = Vertical(7, 500, 141);
    EXPECT_EQ(13, tall.max);
    EXPECT_EQ(6, tall.page) << "rows of 141 + 20 pixels: three fit";
    EXPECT_EQ(2, Vertical(7, 100, 141).page) << "at least one row counts as visible";
    EXPECT_EQ(0, Vertical(3, 500, 141).max);
}

TEST(ThumbViewScrollingTest, EachCodeMovesWithinTheRange) {
    Setting bar = {13, 6};
    EXPECT_EQ(5, NextPosition(SB_LINEDOWN, 4, 0, bar));
    EXPECT_EQ(3, NextPosition(SB_LINEUP, 4, 0, bar));
    EXPECT_EQ(0, NextPosition(SB_LINEUP, 0, 0, bar));
    EXPECT_EQ(10, NextPosition(SB_PAGEDOWN, 4, 0, bar));
    EXPECT_EQ(13, NextPosition(SB_PAGEDOWN, 10, 0, bar));
    EXPECT_EQ(0, NextPosition(SB_PAGEUP, 4, 0, bar));
    EXPECT_EQ(9, NextPosition(SB_THUMBPOSITION, 4, 9, bar));
    EXPECT_EQ(13, NextPosition(SB_THUMBPOSITION, 4, 40, bar));
    EXPECT_EQ(0, NextPosition(SB_TOP, 4, 0, bar));
    EXPECT_EQ(13, NextPosition(SB_BOTTOM, 4, 0, bar));
    EXPECT_EQ(4, NextPosition(SB_THUMBTRACK, 4, 9, bar));
    EXPECT_EQ(4, NextPosition(SB_ENDSCROLL, 4, 0, bar));
}
