#include <gtest/gtest.h>

#include "toolbar/core/DockableGeometry.h"

TEST(DockableGeometry, DockedFrameAndHandleSizes) {
    struct Case {
        TTBDragHandleStyle style;
        bool close;
        std::int32_t handle;
    };
    const Case cases[] = {{dhDouble, false, 9}, {dhDouble, true, 14}, {dhNone, false, 0},
                          {dhNone, true, 14},   {dhSingle, false, 6}, {dhSingle, true, 14}};
    for (const Case& c : cases) {
        const auto top = tb::DockedNCExtents(dpTop, true, c.style, c.close);
        EXPECT_EQ(top.Total(), (TSize{4 + c.handle, 4})) << c.style << c.close;
        EXPECT_EQ(top.TopLeft, (TSize{2 + c.handle, 2}));
        EXPECT_EQ(tb::DockedNCExtents(dpRight, true, c.style, c.close).Total(), (TSize{4, 4 + c.handle}));
        // A dock that does not allow dragging shows no handle.
        EXPECT_EQ(tb::DockedNCExtents(dpTop, false, c.style, c.close).Total(), (TSize{4, 4}));
    }
}

TEST(DockableGeometry, DockedHitCodes) {
    tb::TDockedHitInput in;
    in.Position = dpTop;
    in.Style = dhSingle;
    in.WindowSize = TSize{100, 30};
    EXPECT_EQ(tb::DockedHitTest(in, Point(4, 10)), tb::kHitDragHandle);
    EXPECT_EQ(tb::DockedHitTest(in, Point(8, 10)), tb::kHitClient);  // 2 + 6
    EXPECT_EQ(tb::DockedHitTest(in, Point(50, 1)), tb::kHitDragHandle);
    EXPECT_EQ(tb::DockedHitTest(in, Point(99, 29)), tb::kHitDragHandle);

    // The docked close button: an 11-pixel square at (3, 2) on a top dock.
    in.CloseButtonWhenDocked = true;
    EXPECT_EQ(tb::DockedCloseButtonRect(dpTop, dhSingle, 82), Bounds(3, 2, 11, 11));
    EXPECT_EQ(tb::DockedHitTest(in, Point(3, 2)), tb::kHitCloseButton);
    EXPECT_EQ(tb::DockedHitTest(in, Point(13, 12)), tb::kHitCloseButton);
    EXPECT_EQ(tb::DockedHitTest(in, Point(13, 13)), tb::kHitDragHandle);
    EXPECT_EQ(tb::DockedHitTest(in, Point(16, 10)), tb::kHitClient);
    in.AllowDrag = false;  // no handle, no button
    EXPECT_EQ(tb::DockedHitTest(in, Point(3, 2)), tb::kHitClient);

    // On a side dock the button sits at the right of the handle.
    in.AllowDrag = true;
    in.Position = dpLeft;
    in.WindowSize = TSize{30, 100};
    EXPECT_EQ(tb::DockedCloseButtonRect(dpLeft, dhDouble, 26), Bounds(17, 3, 11, 11));
    EXPECT_EQ(tb::DockedHitTest(in, Point(20, 5)), tb::kHitCloseButton);
    EXPECT_EQ(tb::DockedHitTest(in, Point(5, 5)), tb::kHitDragHandle);
}

TEST(DockableGeometry, FloatingFrameCaptionAndHitCodes) {
    const TSize border{3, 3};
    const std::int32_t h = 15;
    EXPECT_EQ(tb::FloatingNCExtents(border, true, h).TopLeft, (TSize{3, 18}));
    EXPECT_EQ(tb::FloatingNCExtents(border, false, h).Total(), (TSize{6, 6}));

    const auto caption = tb::FloatingCaptionRects(border, 100, h, true);
    EXPECT_EQ(caption.FullCaption, Bounds(3, 3, 100, 14));
    EXPECT_EQ(caption.Caption, Rect(3, 3, 89, 17));
    EXPECT_EQ(caption.CloseButton, Rect(89, 3, 103, 17));
    EXPECT_EQ(tb::FloatingCaptionRects(border, 100, h, false).Caption, caption.FullCaption);

    tb::TFloatingHitInput in;
    in.WindowSize = TSize{106, 60};
    in.Border = border;
    in.SmallCaptionHeight = h;
    EXPECT_EQ(tb::FloatingHitTest(in, Point(20, 5)), tb::kHitFloatingCaption);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(20, 17)), tb::kHitFloatingCaption);  // the face line under it
    EXPECT_EQ(tb::FloatingHitTest(in, Point(95, 8)), tb::kHitCloseButton);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(50, 40)), tb::kHitClient);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(0, 40)), tb::kHitLeft);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(105, 40)), tb::kHitRight);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(50, 0)), tb::kHitTop);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(50, 59)), tb::kHitBottom);
    // Corner zones reach h - 1 + border = 17 pixels from a corner.
    EXPECT_EQ(tb::FloatingHitTest(in, Point(16, 0)), tb::kHitTopLeft);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(17, 0)), tb::kHitTop);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(105, 43)), tb::kHitBottomRight);
    EXPECT_EQ(tb::FloatingHitTest(in, Point(0, 59)), tb::kHitBottomLeft);
    in.CornerSizing = false;
    EXPECT_EQ(tb::FloatingHitTest(in, Point(0, 59)), tb::kHitLeft);
    in.Resizable = false;
    EXPECT_EQ(tb::FloatingHitTest(in, Point(0, 40)), tb::kHitClient);
    in.CloseButton = false;
    EXPECT_EQ(tb::FloatingHitTest(in, Point(95, 8)), tb::kHitFloatingCaption);

    EXPECT_EQ(tb::SizingHandleOfHitCode(tb::kHitLeft), 0);
    EXPECT_EQ(tb::SizingHandleOfHitCode(tb::kHitBottomRight), 7);
    EXPECT_EQ(tb::SizingHandleOfHitCode(tb::kHitFloatingCaption), -1);
}

TEST(DockableGeometry, DockZoneFollowsTheGrabPoint) {
    const TRect dock = Rect(100, 100, 400, 130);
    const TSize outer{101, 31};
    // Grabbed at the left edge (gx = 0): the zone runs from left - 3 - 25 to right + 3.
    const TPoint leftGrab{0, 15};
    auto target = [&](TPoint p) { return tb::PlaceAtGrabPoint(p, outer, leftGrab, outer); };
    EXPECT_TRUE(tb::PointerInDockZone(dock, false, Point(72, 110), leftGrab, outer, target(Point(72, 110))));
    EXPECT_FALSE(tb::PointerInDockZone(dock, false, Point(71, 110), leftGrab, outer, target(Point(71, 110))));
    EXPECT_TRUE(tb::PointerInDockZone(dock, false, Point(402, 110), leftGrab, outer, target(Point(402, 110))));
    EXPECT_FALSE(tb::PointerInDockZone(dock, false, Point(403, 110), leftGrab, outer, target(Point(403, 110))));
    // Grabbed at the right edge (gx = 25) the zone shifts right by 25.
    const TPoint rightGrab{100, 15};
    EXPECT_TRUE(tb::PointerInDockZone(dock, false, Point(427, 110), rightGrab, outer, Rect(327, 95, 428, 126)));
    // A side dock also needs the pointer within its height.
    EXPECT_FALSE(tb::PointerInDockZone(Rect(0, 100, 30, 400), true, Point(10, 96), Point(15, 30), TSize{31, 61},
                                       Rect(-5, 66, 26, 127)));
    // The window's rectangle there must touch the grown dock.
    EXPECT_FALSE(tb::PointerInDockZone(dock, false, Point(200, 110), leftGrab, outer, Rect(200, 200, 300, 230)));

    // MulDiv rounding of the grab point: 60 x 50 / 100 = 30.
    EXPECT_EQ(tb::PlaceAtGrabPoint(Point(500, 500), TSize{61, 21}, Point(50, 10), TSize{101, 21}),
              Bounds(470, 490, 61, 21));
    EXPECT_EQ(tb::PlaceAtGrabPoint(Point(5, 5), TSize{1, 1}, Point(0, 0), TSize{1, 1}), Bounds(5, 5, 1, 1));
}

TEST(DockableGeometry, FloatingRectStaysReachable) {
    const TRect work = Rect(0, 0, 800, 600);
    const TSize border{3, 3};
    EXPECT_EQ(tb::KeepFloatingReachable(Bounds(100, 100, 50, 50), work, border, 18), Bounds(100, 100, 50, 50));
    EXPECT_EQ(tb::KeepFloatingReachable(Bounds(-200, 100, 50, 50), work, border, 18), Bounds(-43, 100, 50, 50));
    EXPECT_EQ(tb::KeepFloatingReachable(Bounds(900, 100, 50, 50), work, border, 18), Bounds(793, 100, 50, 50));
    EXPECT_EQ(tb::KeepFloatingReachable(Bounds(100, 700, 50, 50), work, border, 18), Bounds(100, 593, 50, 50));
    // The caption never goes more than its height less 4 above the area.
    EXPECT_EQ(tb::KeepFloatingReachable(Bounds(100, -30, 50, 50), work, border, 18), Bounds(100, -14, 50, 50));
}

TEST(DockableGeometry, RowChoiceFromTheCentre) {
    const std::vector<tb::TDockRowInfo> rows = {{24, false}, {0, false}, {28, true}};
    auto choose = [&](std::int32_t centre, bool full = false) { return tb::ChooseDockRow(rows, centre, full); };
    EXPECT_EQ(choose(5).Row, 0);
    EXPECT_TRUE(choose(5).NewRow);  // first quarter: a new row before row 0
    EXPECT_FALSE(choose(6).NewRow);
    EXPECT_EQ(choose(17).Row, 0);
    EXPECT_EQ(choose(18).Row, 2);    // the last quarter of row 0 goes on; the empty row 1 is skipped
    EXPECT_TRUE(choose(37).NewRow);  // a FullSize row has half zones
    EXPECT_EQ(choose(38).Row, 3);
    EXPECT_TRUE(choose(38).NewRow);
    EXPECT_TRUE(choose(11, true).NewRow);  // a FullSize window too
    EXPECT_EQ(choose(12, true).Row, 2);

    EXPECT_FALSE(tb::MovedFarEnoughToKeepPlace(Point(10, 10), Point(19, 50), false));
    EXPECT_TRUE(tb::MovedFarEnoughToKeepPlace(Point(10, 10), Point(20, 10), false));
    EXPECT_TRUE(tb::MovedFarEnoughToKeepPlace(Point(10, 10), Point(10, 0), true));
}

TEST(DockableGeometry, SizingFollowsTheHandleWithinLimits) {
    const TRect start = Rect(100, 100, 200, 180);
    const TSize none{0, 0};
    struct Case {
        int handle;
        TPoint delta;
        TRect want;
    };
    const Case cases[] = {
        {0, {-10, 7}, Rect(90, 100, 200, 180)}, {1, {10, 7}, Rect(100, 100, 210, 180)},
        {2, {5, -10}, Rect(100, 90, 200, 180)}, {3, {-5, -5}, Rect(95, 95, 200, 180)},
        {4, {5, -5}, Rect(100, 95, 205, 180)},  {5, {5, 5}, Rect(100, 100, 200, 185)},
        {6, {-5, 5}, Rect(95, 100, 200, 185)},  {7, {5, 5}, Rect(100, 100, 205, 185)},
    };
    for (const Case& c : cases) EXPECT_EQ(tb::SizedRect(start, c.handle, c.delta, none, none), c.want) << c.handle;
    // Below the minimum the dragged edge stops; above a maximum likewise.
    EXPECT_EQ(tb::SizedRect(start, 0, Point(95, 0), TSize{20, 20}, none), Rect(180, 100, 200, 180));
    EXPECT_EQ(tb::SizedRect(start, 7, Point(-95, -75), TSize{20, 20}, none), Rect(100, 100, 120, 120));
    EXPECT_EQ(tb::SizedRect(start, 1, Point(100, 0), none, TSize{150, 0}), Rect(100, 100, 250, 180));
}

TEST(DockableGeometry, MoveOnScreen) {
    const TRect work = Rect(0, 0, 800, 600);
    EXPECT_EQ(tb::MoveOnScreen(Bounds(780, 590, 100, 50), work, false), Bounds(700, 550, 100, 50));
    EXPECT_EQ(tb::MoveOnScreen(Bounds(-30, -20, 100, 50), work, false), Bounds(0, 0, 100, 50));
    // Larger than the area: the right and bottom rules run first, the top-left corner ends inside.
    EXPECT_EQ(tb::MoveOnScreen(Bounds(50, 50, 1000, 700), work, false), Bounds(0, 0, 1000, 700));
    // Only when fully off screen: a frame that still overlaps stays.
    EXPECT_EQ(tb::MoveOnScreen(Bounds(780, 590, 100, 50), work, true), Bounds(780, 590, 100, 50));
    EXPECT_EQ(tb::MoveOnScreen(Bounds(900, 700, 100, 50), work, true), Bounds(700, 550, 100, 50));
    // A stored position far outside any monitor comes back onto the work area.
    EXPECT_EQ(tb::MoveOnScreen(Bounds(INT32_MAX - 200, INT32_MIN + 10, 100, 50), work, false), Bounds(700, 0, 100, 50));
}
