#include <gtest/gtest.h>

#include "tools/core/TextControlState.h"
#include "tools/core/ToolHandles.h"

namespace {
const TKelvoRect Image = MakeRect(0, 0, 100, 80);

TEST(TextControlStateTest, DrawResizeAndMoveRescaleOnlyWhenTheSizeChanges) {
    TTextControlState c;
    bool rescale = false;
    EXPECT_FALSE(TextMouseDown(c, MakePoint(-1, 5), PartNone, Image));
    ASSERT_TRUE(TextMouseDown(c, MakePoint(50, 40), PartNone, Image));
    EXPECT_TRUE(TextMouseMove(c, MakePoint(20, 10), Image, rescale));
    EXPECT_TRUE(rescale);
    EXPECT_EQ(c.Box, (TTextBox{MakeRect(20, 10, 50, 40), true, true}));
    EXPECT_EQ(TextMouseUp(c, false, PartInside), TTextAction::None);
    EXPECT_EQ(c.State, TextPlaced);

    ASSERT_TRUE(TextMouseDown(c, MakePoint(49, 39), PartBottomRight, Image));
    TextMouseMove(c, MakePoint(59, 49), Image, rescale);
    EXPECT_TRUE(rescale);
    EXPECT_EQ(c.Box, (TTextBox{MakeRect(20, 10, 60, 50), true, true}));
    TextMouseUp(c, false, PartBottomRight);

    ASSERT_TRUE(TextMouseDown(c, MakePoint(30, 30), PartInside, Image));
    EXPECT_TRUE(TextMouseMove(c, MakePoint(100, 30), Image, rescale));
    EXPECT_FALSE(rescale);
    EXPECT_EQ(c.Box.Box, MakeRect(90, 10, 130, 50));
    TextMouseUp(c, false, PartInside);

    EXPECT_EQ(TextMouseUp(c, false, PartInside), TTextAction::None);
    EXPECT_EQ(TextMouseUp(c, false, PartNone), TTextAction::Commit);
    EXPECT_EQ(TextMouseUp(c, true, PartInside), TTextAction::Cancel);
    EXPECT_EQ(TextKey(c, 13), TTextAction::Commit);
    EXPECT_EQ(TextKey(c, 27), TTextAction::Cancel);
}

TEST(TextControlStateTest, AClickWithoutADragDiscardsTheBox) {
    TTextControlState c;
    TextMouseDown(c, MakePoint(5, 5), PartNone, Image);
    EXPECT_EQ(TextKey(c, 13), TTextAction::None);  // keys act only on a placed box
    EXPECT_EQ(TextMouseUp(c, false, PartInside), TTextAction::Cancel);
}
}  // namespace
