// The platform-free decisions of themed toolbars, docks and floating frames.
#include <gtest/gtest.h>

#include "themed/core/SkinToolbarRules.h"
#include "toolbar/core/PopupPosition.h"

using namespace skin;

TEST(SkinToolbarRules, ThemeMarginsLandOnTheSidesOfTheSameName) {
    // The default theme's floating-toolbar margins: left 4, top 4, right 2, bottom 1.
    const TViewMargins m = ViewMarginsFromTheme(TMargins{4, 4, 2, 1});
    EXPECT_EQ(m.Left, 4);
    EXPECT_EQ(m.Right, 2);
    EXPECT_EQ(m.Top, 4);
    EXPECT_EQ(m.Bottom, 1);
    // The floating flag goes with toolbars and panels only while they float.
    EXPECT_EQ(MarginsViewType(0x101, true), 0x10101);
    EXPECT_EQ(MarginsViewType(0x10101, false), 0x101);
    EXPECT_EQ(MarginsViewType(0x400, true), 0x10400);
    EXPECT_EQ(MarginsViewType(0x201, true), 0x201);
}

TEST(SkinToolbarRules, CloseButtonStatesAreNoneShownHotPushed) {
    EXPECT_EQ(DockedCloseButtonState(true, true, false, false), 1);
    EXPECT_EQ(DockedCloseButtonState(true, true, true, false), 3);
    EXPECT_EQ(DockedCloseButtonState(true, true, true, true), 5);
    EXPECT_EQ(DockedCloseButtonState(false, true, true, true), 0);  // the dock does not allow dragging
    EXPECT_EQ(DockedCloseButtonState(true, false, true, false), 0);
    EXPECT_EQ(FloatingCloseButtonState(true, false, true, false), 0);  // no caption, no button
    EXPECT_EQ(FloatingCloseButtonState(true, true, false, true), 5);

    TSkinWindowFrameInfo frame;
    SetCloseButtonState(frame, 3);
    EXPECT_TRUE(frame.ShowCloseButton && frame.CloseButtonHot && !frame.CloseButtonDown);
    SetCloseButtonState(frame, 0);
    EXPECT_FALSE(frame.ShowCloseButton || frame.CloseButtonHot || frame.CloseButtonDown);
}

TEST(SkinToolbarRules, BackgroundFillAndParentBackground) {
    // Floating with the theme colour: the theme's fill over the parent's background (metric 7 false).
    TToolbarBackground b = ToolbarBackground({true, clBtnFace, false, false, false});
    EXPECT_EQ(b.fill, clDefault);
    EXPECT_TRUE(b.parentBackground);
    // Docked with the theme colour: only the parent's background shows.
    b = ToolbarBackground({true, clBtnFace, false, true, false});
    EXPECT_EQ(b.fill, clNone);
    EXPECT_TRUE(b.parentBackground);
    // A colour set from outside fills, over the parent only when the theme is not opaque.
    b = ToolbarBackground({false, 0x00FF00, true, true, false});
    EXPECT_EQ(b.fill, 0x00FF00);
    EXPECT_FALSE(b.parentBackground);
    // A dock background shown on toolbars wins over any colour.
    b = ToolbarBackground({false, 0x00FF00, true, true, true});
    EXPECT_EQ(b.fill, clNone);
    EXPECT_TRUE(b.parentBackground);

    EXPECT_TRUE(NCParentBackground(false, false, false, true));
    EXPECT_FALSE(NCParentBackground(true, false, false, false));
    EXPECT_TRUE(NCParentBackground(true, false, true, false));
    EXPECT_TRUE(DockThemedBackground(false, true, true));
    EXPECT_FALSE(DockThemedBackground(true, true, true));
    EXPECT_FALSE(DockThemedBackground(false, true, false));
    EXPECT_EQ(DockPositionCode(0), 1);
    EXPECT_EQ(DockPositionCode(3), 4);
}

TEST(SkinToolbarRules, SnappingToTheWorkArea) {
    const TRect work{0, 0, 1000, 700};
    // 5 from the right and 3 from the bottom with distance 8: both edges go there.
    EXPECT_EQ(SnapToWorkArea(Bounds(895, 597, 100, 100), work, 8), Bounds(900, 600, 100, 100));
    // Not nearer than the distance: stays.
    EXPECT_EQ(SnapToWorkArea(Bounds(892, 300, 100, 100), work, 8), Bounds(892, 300, 100, 100));
    // Within reach of both the left and the right edge: the left wins.
    EXPECT_EQ(SnapToWorkArea(Bounds(4, 50, 993, 100), work, 8), Bounds(0, 50, 993, 100));
    // Top over bottom likewise; and beyond the edge snaps back too.
    EXPECT_EQ(SnapToWorkArea(Bounds(10, -3, 100, 698), work, 8), Bounds(10, 0, 100, 698));
    // A distance of 0 (a negative one is stored as 0) switches snapping off.
    EXPECT_EQ(SnapToWorkArea(Bounds(1, 1, 100, 100), work, 0), Bounds(1, 1, 100, 100));
}

TEST(SkinToolbarRules, APopupBelowAButtonOpensAboveItWhenItDoesNotFitBelow) {
    tb::TPopupPlacementInput in;
    in.kind = tb::TTBPopupKind::AtPoint;
    in.area = TRect{0, 0, 800, 600};
    in.size = TPoint{120, 200};
    in.keepClear = TRect{100, 500, 180, 522};  // a button near the bottom of the screen
    in.point = TPoint{100, 522};
    EXPECT_EQ(tb::GetPopupPosition(in).position, (TPoint{100, 300}));  // above the button, not over it
    in.keepClear = TRect{100, 50, 180, 72};
    in.point = TPoint{100, 72};
    EXPECT_EQ(tb::GetPopupPosition(in).position, (TPoint{100, 72}));  // below it
    // Without a rectangle the point itself is the limit.
    in.keepClear = TRect{};
    in.point = TPoint{100, 522};
    EXPECT_EQ(tb::GetPopupPosition(in).position, (TPoint{100, 322}));
}
