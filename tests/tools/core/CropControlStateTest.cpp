#include <gtest/gtest.h>

#include "tools/core/CropControlState.h"
#include "tools/core/ToolHandles.h"

namespace {
const TKelvoRect Image = MakeRect(0, 0, 100, 80);

TEST(CropControlStateTest, AClickWithoutDragLeavesOnePixelThatEnterCropsTo) {
    TCropControlState c;
    EXPECT_FALSE(CropMouseDown(c, MakePoint(100, 10), PartNone, Image));
    EXPECT_EQ(c.State, CropIdle);
    EXPECT_EQ(CropKey(c, 13), TCropAction::None);
    ASSERT_TRUE(CropMouseDown(c, MakePoint(10, 10), PartNone, Image));
    EXPECT_EQ(c.Selection, MakeRect(10, 10, 11, 11));
    EXPECT_EQ(CropMouseUp(c, false, PartInside), TCropAction::None);
    EXPECT_EQ(c.State, CropShown);
    EXPECT_EQ(CropKey(c, 13), TCropAction::Apply);
    EXPECT_EQ(CropKey(c, 27), TCropAction::Cancel);
}

TEST(CropControlStateTest, DragResizeMoveThenReleaseOutsideAppliesOrCancels) {
    TCropControlState c;
    CropMouseDown(c, MakePoint(10, 10), PartNone, Image);
    EXPECT_TRUE(CropMouseMove(c, MakePoint(40, 30), Image, TCropRatio{}));
    EXPECT_EQ(c.Selection, MakeRect(10, 10, 40, 30));
    CropMouseUp(c, false, PartBottomRight);

    ASSERT_TRUE(CropMouseDown(c, MakePoint(39, 29), PartBottomRight, Image));
    EXPECT_EQ(c.State, CropAdjusting);
    CropMouseMove(c, MakePoint(200, 200), Image, TCropRatio{});
    EXPECT_EQ(c.Selection, MakeRect(10, 10, 100, 80));
    CropMouseUp(c, false, PartBottomRight);

    CropMouseDown(c, MakePoint(50, 50), PartInside, Image);
    CropMouseMove(c, MakePoint(60, 40), Image, TCropRatio{});
    EXPECT_EQ(c.Selection, MakeRect(10, 0, 100, 70));
    EXPECT_FALSE(CropMouseMove(c, MakePoint(60, 40), Image, TCropRatio{}));
    EXPECT_EQ(CropMouseUp(c, true, PartInside), TCropAction::None);

    // Shown: a release inside does nothing, outside applies (left) or cancels (right); so does a double click.
    EXPECT_EQ(CropMouseUp(c, true, PartInside), TCropAction::None);
    EXPECT_EQ(CropMouseUp(c, true, PartNone), TCropAction::Cancel);
    EXPECT_EQ(CropMouseUp(c, false, PartNone), TCropAction::Apply);
    EXPECT_EQ(CropDoubleClick(c, PartNone), TCropAction::Apply);
    EXPECT_EQ(CropDoubleClick(c, PartInside), TCropAction::None);
    EXPECT_FALSE(CropMouseDown(c, MakePoint(5, 5), PartNone, Image));
    ResetCropControl(c);
    EXPECT_EQ(c.State, CropIdle);
}
}  // namespace
