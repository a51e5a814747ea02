#include <gtest/gtest.h>

#include "unicode/core/RadioGroupLayout.h"

using namespace uni;

TEST(RadioGroupLayout, FiveButtonsInTwoColumnsFillColumnsTopToBottom) {
    // r = 3 rows; column width (210 - 10) / 2 = 100; room 100 - 13 - 5 = 82: row height 27, top 82 % 3 / 2 + 14.
    const auto rects = ArrangeRadioButtons({5, 2, 210, 100, 13, false, 210});
    ASSERT_EQ(rects.size(), 5u);
    EXPECT_EQ(rects[0].Left, 8);
    EXPECT_EQ(rects[0].Top, 14);
    EXPECT_EQ(rects[0].Width(), 100);
    EXPECT_EQ(rects[0].Height(), 27);
    EXPECT_EQ(rects[2].Top, 14 + 2 * 27);
    EXPECT_EQ(rects[3].Left, 108);  // column 1, row 0
    EXPECT_EQ(rects[3].Top, 14);
    EXPECT_EQ(rects[4].Top, 14 + 27);
}

TEST(RadioGroupLayout, RightToLeftMirrorsTheColumns) {
    const auto rects = ArrangeRadioButtons({2, 2, 210, 60, 13, true, 206});
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].Left, 206 - 8 - 100);
    EXPECT_EQ(rects[1].Left, 206 - 108 - 100);
}

TEST(RadioGroupLayout, NoButtonsOrNoRoomDividesNothing) {
    EXPECT_TRUE(ArrangeRadioButtons({0, 1, 100, 100, 13, false, 100}).empty());
    // Columns out of range are clamped; a box shorter than its caption gives empty rows.
    const auto rects = ArrangeRadioButtons({3, 0, 5, 4, 13, false, 5});
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[2].Height(), 0);
    EXPECT_EQ(rects[2].Width(), 0);
    // 99 columns are 16: two rows of 20 pixels wide columns, button 19 in column 9.
    EXPECT_EQ(ArrangeRadioButtons({20, 99, 330, 100, 13, false, 330})[19].Left, 9 * 20 + 8);
}
