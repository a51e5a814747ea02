#include <gtest/gtest.h>

#include <vector>

#include "app/core/TKelvoPixels.h"
#include "tools/core/CropSelection.h"
#include "tools/core/ToolHandles.h"

namespace {
const TKelvoRect Image = MakeRect(0, 0, 100, 80);

TEST(CropSelectionTest, HandlesAreNineByNineSquaresTestedCornerFirst) {
    const TKelvoRect box = MakeRect(10, 10, 31, 21);  // handle points x 10, 20, 30 and y 10, 15, 20
    EXPECT_EQ(HandleAt(box, MakePoint(6, 6)), PartTopLeft);
    EXPECT_EQ(HandleAt(box, MakePoint(5, 10)), PartNone);  // one pixel left of the square
    EXPECT_EQ(HandleAt(box, MakePoint(24, 14)), PartTop);
    EXPECT_EQ(HandleAt(box, MakePoint(34, 24)), PartBottomRight);
    EXPECT_EQ(HandleAt(box, MakePoint(6, 15)), PartLeft);
    EXPECT_EQ(HandleAt(box, MakePoint(25, 18)), PartInside);
    EXPECT_EQ(HandleAt(box, MakePoint(35, 18)), PartNone);
    // In a box too small to keep the squares apart the earlier handle wins.
    const TKelvoRect tiny = MakeRect(0, 0, 3, 3);
    EXPECT_EQ(HandleAt(tiny, MakePoint(1, 0)), PartTopLeft);
    EXPECT_EQ(HandleAt(tiny, MakePoint(6, 2)), PartTopRight);
    EXPECT_EQ(HandleAt(tiny, MakePoint(6, 6)), PartBottomRight);
}

TEST(CropSelectionTest, RatiosReduceByTheirGcdAndZeroSidesAreFree) {
    EXPECT_EQ(ParseCropPreset("4x6"), (TCropRatio{2, 3}));
    EXPECT_EQ(ParseCropPreset("16x10"), (TCropRatio{8, 5}));
    EXPECT_EQ(ParseCropPreset("5x5"), (TCropRatio{1, 1}));
    EXPECT_TRUE(ParseCropPreset("4x").IsFree());
    EXPECT_TRUE(ParseCropPreset("4*3").IsFree());
    EXPECT_EQ(CropRatioFromEdits(300, 200), (TCropRatio{3, 2}));
    // Both at 0 used to divide by a gcd of 0.
    EXPECT_EQ(CropRatioFromEdits(0, 0), TCropRatio{});
    EXPECT_EQ(CropRatioFromEdits(0, 7), TCropRatio{});
    EXPECT_EQ(CropRatioFromEdits(7, 0), TCropRatio{});
    EXPECT_EQ(CropRatioFromEdits(-3, 2), TCropRatio{});
    EXPECT_EQ(CropRatioFromEdits(std::nullopt, 2), TCropRatio{});
    EXPECT_EQ(ReduceCropRatio(1920, 1080), (TCropRatio{16, 9}));  // the current screen's ratio

    ASSERT_EQ(CropPrintPresets().size(), 20u);
    ASSERT_EQ(CropScreenPresets().size(), 6u);
    EXPECT_EQ(CropPrintPresets()[CropPrintDefault], "3x4");
    EXPECT_EQ(CropScreenPresets()[CropScreenDefault], "4x3");
}

TEST(CropSelectionTest, TheConstraintMovesTheSideOfThePartThatMoved) {
    const TCropRatio r23{2, 3};
    const TKelvoRect r = MakeRect(10, 20, 40, 65);  // 30 x 45
    EXPECT_EQ(ConstrainCropRect(MakeRect(10, 20, 99, 65), PartTopRight, r23), r);
    EXPECT_EQ(ConstrainCropRect(MakeRect(10, 0, 40, 65), PartRight, r23), r);
    EXPECT_EQ(ConstrainCropRect(MakeRect(10, 20, 40, 99), PartBottomRight, r23), r);
    EXPECT_EQ(ConstrainCropRect(MakeRect(0, 20, 40, 65), PartBottomLeft, r23), r);
    EXPECT_EQ(ConstrainCropRect(MakeRect(0, 20, 40, 65), PartInside, r23), MakeRect(0, 20, 40, 65));
    EXPECT_EQ(ConstrainCropRect(MakeRect(0, 20, 40, 65), PartBottomLeft, TCropRatio{}), MakeRect(0, 20, 40, 65));
    // Halves round to even: 101 x 3 / 2 = 151.5 -> 152, 5 x 1 / 2 = 2.5 -> 2, 7 / 2 = 3.5 -> 4.
    EXPECT_EQ(ConstrainCropRect(MakeRect(0, 0, 101, 1), PartBottomRight, r23).Bottom, 152);
    EXPECT_EQ(ConstrainCropRect(MakeRect(0, 0, 1, 5), PartBottom, TCropRatio{1, 2}).Right, 2);
    EXPECT_EQ(ConstrainCropRect(MakeRect(0, 0, 1, 7), PartTop, TCropRatio{1, 2}).Right, 4);
    // The left handle takes whole multiples of the ratio: 101 div 4 x 3 = 75, not 75.75.
    EXPECT_EQ(ConstrainCropRect(MakeRect(0, 0, 101, 100), PartLeft, TCropRatio{4, 3}).Top, 25);
}

TEST(CropSelectionTest, ANewSelectionIsConstrainedByItsCornerAndStaysInTheImage) {
    const TKelvoRect old = MakeRect(1, 1, 2, 2);
    EXPECT_EQ(DragNewCropRect(MakePoint(10, 10), MakePoint(5, 4), Image, TCropRatio{1, 1}, old),
              MakeRect(5, 5, 10, 10));
    EXPECT_EQ(DragNewCropRect(MakePoint(10, 10), MakePoint(30, 4), Image, TCropRatio{1, 1}, old),
              MakeRect(10, 4, 16, 10));
    // Free: past the border the selection stops at it; held to a ratio it keeps the last fitting one.
    EXPECT_EQ(DragNewCropRect(MakePoint(10, 10), MakePoint(150, 90), Image, TCropRatio{}, old),
              MakeRect(10, 10, 100, 80));
    EXPECT_EQ(DragNewCropRect(MakePoint(10, 10), MakePoint(150, 90), Image, TCropRatio{1, 1}, old), old);
    EXPECT_EQ(DragNewCropRect(MakePoint(10, 10), MakePoint(10, 30), Image, TCropRatio{}, old), old);  // empty
}

TEST(CropSelectionTest, HandleDragsAndMovesKeepTheSelectionInsideTheImage) {
    const TKelvoRect start = MakeRect(10, 10, 40, 40);
    EXPECT_EQ(DragCropHandle(start, PartBottomRight, 200, 200, Image, TCropRatio{}, start), MakeRect(10, 10, 100, 80));
    EXPECT_EQ(DragCropHandle(start, PartBottomRight, 200, 5, Image, TCropRatio{1, 1}, start), start);
    EXPECT_EQ(DragCropHandle(start, PartBottomRight, 10, 0, Image, TCropRatio{1, 1}, start), MakeRect(10, 10, 50, 50));
    EXPECT_EQ(DragCropHandle(start, PartTopLeft, -4, 0, Image, TCropRatio{1, 1}, start), MakeRect(6, 6, 40, 40));
    // Dragging a side over the opposite one and a left handle below one ratio step keep the old selection.
    EXPECT_EQ(DragCropHandle(start, PartLeft, 40, 0, Image, TCropRatio{}, start), start);
    EXPECT_EQ(DragCropHandle(start, PartLeft, 27, 0, Image, TCropRatio{4, 3}, start), start);

    EXPECT_EQ(MoveCropRect(start, 200, -50, Image), MakeRect(70, 0, 100, 30));
    EXPECT_EQ(MoveCropRect(start, -5, 3, Image), MakeRect(5, 13, 35, 43));
    EXPECT_EQ(MoveCropRect(MakeRect(0, 0, 120, 10), 5, 0, Image), MakeRect(0, 0, 120, 10));
}

TEST(CropSelectionTest, OnlyTheBandsAroundTheSelectionAreDarkened) {
    std::vector<std::uint8_t> bytes(4 * 3 * 3, 255);
    bytes[0] = 100;
    TKelvoPixels px;
    px.Init(MakeRect(0, 0, 4, 3), bytes.data(), KelvoFormatBGR24, 12);
    DarkenOutside(px, MakeRect(1, 1, 3, 2));
    EXPECT_EQ(bytes[0], 65);   // 100 - 9200 div 256
    EXPECT_EQ(bytes[1], 164);  // 255 - 91
    EXPECT_EQ(bytes[12], 164);
    EXPECT_EQ(bytes[12 + 3 * 1 + 3], 255);  // (1, 1) and (2, 1) are the selection
    EXPECT_EQ(bytes[12 + 3 * 2 + 2], 255);
    EXPECT_EQ(bytes[12 + 3 * 3], 164);
    EXPECT_EQ(bytes[24 + 3 * 2], 164);
}
}  // namespace
