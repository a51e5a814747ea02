// The sharing of a multi-dock's length, the clamps of a panel's sizes, the limit of a docked edge resize and
// the hit codes of a docked panel's frame.
#include <gtest/gtest.h>

#include "themed/core/DockPanelGeometry.h"

using namespace skin;

using Sizes = std::vector<std::int32_t>;

TEST(MultiDockSpread, ShrinkingHoldsAPanelAtItsMinimumAndTakesTheRestFromTheOther) {
    // 200 pixels for 100 + 300: both shrink by 100 (0 and 200), the first is held at 32, the second gives 32 more.
    EXPECT_EQ(SpreadLength({{100, 32, 0}, {300, 32, 0}}, 200), (Sizes{32, 168}));
}

TEST(MultiDockSpread, GrowingCarriesFractionsAndHoldsAPanelAtItsMaximum) {
    // 10 more pixels over three panels: 3.33 each, carried so that the shares are 3, 4, 3.
    EXPECT_EQ(SpreadLength({{10, 8, 0}, {10, 8, 0}, {10, 8, 0}}, 40), (Sizes{13, 14, 13}));
    // 100 more over two: the first stops at its maximum 60, the second takes the 40 left.
    EXPECT_EQ(SpreadLength({{50, 10, 60}, {50, 10, 0}}, 200), (Sizes{60, 140}));
}

TEST(MultiDockSpread, LengthsOutsideTheLimitsGiveEveryPanelItsLimit) {
    EXPECT_EQ(SpreadLength({{100, 40, 0}, {100, 50, 0}}, 90), (Sizes{40, 50}));
    EXPECT_EQ(SpreadLength({{100, 40, 0}, {100, 50, 0}}, 10), (Sizes{40, 50}));
    EXPECT_EQ(SpreadLength({{100, 40, 120}, {100, 50, 130}}, 400), (Sizes{120, 130}));
    // One unlimited panel: there is no sum of maximums, the length is shared.
    EXPECT_EQ(SpreadLength({{100, 40, 120}, {100, 50, 0}}, 400), (Sizes{120, 280}));
    EXPECT_EQ(SpreadLength({{70, 8, 0}, {30, 8, 0}}, 100), (Sizes{70, 30}));
    EXPECT_TRUE(SpreadLength({}, 100).empty());
}

TEST(DockablePanelSizes, ClampsOfTheMinimumDockedAndFloatingSizes) {
    EXPECT_EQ(ClampMinClientSize(3), 8);
    EXPECT_EQ(ClampMinClientSize(40), 40);
    EXPECT_EQ(ClampDockedSize(20, 32, 0), 32);
    EXPECT_EQ(ClampDockedSize(5000, 32, 0), 5000);
    EXPECT_EQ(ClampDockedSize(300, 32, 200), 200);
    EXPECT_EQ(ClampFloatingSize(-5, 32, true), 0);
    EXPECT_EQ(ClampFloatingSize(10, 32, true), 10);
    EXPECT_EQ(ClampFloatingSize(10, 32, false), 32);
}

TEST(DockablePanelSizes, AnEdgeResizeLeavesRoomBesideTheDockAndKeepsTheClientLimits) {
    TDockedSizingInput in{400, 150, 100, 20, 32, 0};
    EXPECT_EQ(DockedSizingLimit(in), 218) << "150 + 100 free - 32";
    in.Proposed = 10;
    EXPECT_EQ(DockedSizingLimit(in), 52) << "client at least 32 plus the frame";
    in.Proposed = 200;
    in.MaxClient = 100;
    EXPECT_EQ(DockedSizingLimit(in), 120);
    in.MaxClient = 32;  // not above the minimum: no maximum
    EXPECT_EQ(DockedSizingLimit(in), 200);
    // The left and top edges grow against the pointer; splitters follow their side.
    EXPECT_EQ(DockedResizeProposal(10, TSize{150, 300}, Point(-30, 7)), 180);
    EXPECT_EQ(DockedResizeProposal(11, TSize{150, 300}, Point(-30, 7)), 120);
    EXPECT_EQ(DockedResizeProposal(12, TSize{150, 300}, Point(-30, 7)), 293);
    EXPECT_EQ(DockedResizeProposal(kHitSplitterBottom, TSize{150, 300}, Point(-30, 7)), 307);
    EXPECT_TRUE(ResizesWidth(kHitSplitterLeft));
    EXPECT_FALSE(ResizesWidth(15));
}

TEST(DockablePanelFrame, CaptionRunsVerticallyOnlyOnTopOrBottomDocksOrWhenAlwaysVertical) {
    EXPECT_FALSE(DockedCaptionVertical(dpcrAuto, dpRight));
    EXPECT_TRUE(DockedCaptionVertical(dpcrAuto, dpBottom));
    EXPECT_FALSE(DockedCaptionVertical(dpcrAlwaysHorz, dpTop));
    EXPECT_TRUE(DockedCaptionVertical(dpcrAlwaysVert, dpLeft));
}

TEST(DockablePanelFrame, HitCodesOfAPanelOnARightDock) {
    TPanelFrameInput in;
    in.WindowSize = TSize{150, 300};
    in.Border = TSize{2, 2};
    in.SmallCaptionHeight = 15;
    in.Position = dpRight;
    const TPanelNCExtents e = PanelNCExtents(in);
    EXPECT_EQ(e.TopLeft, (TSize{2, 17}));
    EXPECT_EQ(e.Total(), (TSize{4, 19}));
    EXPECT_EQ(PanelCloseButtonRect(in), Bounds(134, 2, 14, 14));
    EXPECT_EQ(PanelHitTest(in, Point(140, 8)), 2001);
    EXPECT_EQ(PanelHitTest(in, Point(60, 8)), 2000);
    EXPECT_EQ(PanelHitTest(in, Point(60, 100)), 1);
    EXPECT_EQ(PanelHitTest(in, Point(3, 100)), 10) << "the inner edge, 4 pixels wide";
    EXPECT_EQ(PanelHitTest(in, Point(3, 8)), 10);
    EXPECT_EQ(PanelHitTest(in, Point(149, 100)), 0) << "the edge against the form's side";
    EXPECT_EQ(PanelHitTest(in, Point(60, 299)), 0);
    in.PanelAfter = true;
    EXPECT_EQ(PanelHitTest(in, Point(60, 298)), kHitSplitterBottom);
    in.Resizable = false;
    EXPECT_EQ(PanelHitTest(in, Point(3, 100)), 1) << "no edge band: the client again";
    EXPECT_EQ(PanelHitTest(in, Point(60, 298)), 0);

    in.Resizable = true;
    in.Position = dpLeft;
    EXPECT_EQ(PanelHitTest(in, Point(147, 100)), 11);
    EXPECT_EQ(PanelHitTest(in, Point(140, 8)), 2001) << "the close button wins over the edge";
    in.Position = dpTop;
    EXPECT_EQ(InnerEdgeHitCode(dpTop), 15);
    EXPECT_EQ(InnerEdgeHitCode(dpBottom), 12);
}

TEST(DockablePanelFrame, AVerticalCaptionRunsDownTheLeftWithTheCloseButtonAtItsBottom) {
    TPanelFrameInput in;
    in.WindowSize = TSize{300, 100};
    in.Border = TSize{2, 2};
    in.SmallCaptionHeight = 15;
    in.Vertical = true;
    in.Position = dpTop;
    EXPECT_EQ(PanelNCExtents(in).TopLeft, (TSize{17, 2}));
    EXPECT_EQ(PanelCaptionRect(in), Rect(2, 2, 17, 98));
    EXPECT_EQ(PanelCloseButtonRect(in), Bounds(2, 84, 14, 14));
    EXPECT_EQ(PanelHitTest(in, Point(8, 90)), 2001);
    EXPECT_EQ(PanelHitTest(in, Point(8, 40)), 2000);
    EXPECT_EQ(PanelHitTest(in, Point(150, 98)), 15);
    in.ShowCaption = false;
    EXPECT_TRUE(PanelCloseButtonRect(in).IsEmpty());
    EXPECT_EQ(PanelHitTest(in, Point(8, 40)), 1);
}
