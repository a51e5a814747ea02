// Where the balloon's body, tail and text go, and how it keeps its tip on the point and its body on the monitor.
#include <gtest/gtest.h>

#include "demo/core/KelvoBalloonLayout.h"

namespace {

const TRect kMonitor = Rect(0, 0, 1024, 768);
const TSize kText{100, 30};

}  // namespace

TEST(BalloonLayout, TheAutomaticCornerTurnsTheBalloonTowardTheMiddle) {
    EXPECT_EQ(AutomaticBalloonCorner(Point(512, 384), kMonitor), 1);  // the exact centre
    EXPECT_EQ(AutomaticBalloonCorner(Point(513, 384), kMonitor), 2);
    EXPECT_EQ(AutomaticBalloonCorner(Point(512, 385), kMonitor), 3);
    EXPECT_EQ(AutomaticBalloonCorner(Point(513, 385), kMonitor), 4);
    // A second monitor to the right: its own middle counts.
    EXPECT_EQ(AutomaticBalloonCorner(Point(1024 + 100, 700), Rect(1024, 0, 2048, 768)), 3);
}

// Every corner: the tip is on the point, the window is W + 16 by H + 32, and the body and the text sit where
// the tail leaves room (below it for corners 1 and 2, above it for 3 and 4).
TEST(BalloonLayout, EachCornerPutsTheTipOnThePointAndTheBodyBesideIt) {
    const TPoint at = Point(500, 400);
    struct Case {
        std::int32_t corner;
        TPoint tip;
        TRect body, text;
    } cases[] = {
        {1, Point(16, 0), Rect(0, 16, 116, 62), Rect(12, 24, 112, 54)},
        {2, Point(100, 0), Rect(0, 16, 116, 62), Rect(12, 24, 112, 54)},
        {3, Point(15, 61), Rect(0, 0, 116, 46), Rect(12, 8, 112, 38)},
        {4, Point(99, 61), Rect(0, 0, 116, 46), Rect(12, 8, 112, 38)},
    };
    for (const Case& c : cases) {
        const TKelvoBalloonLayout layout = LayoutBalloon(kText, at, c.corner, kMonitor);
        EXPECT_EQ(layout.Corner, c.corner);
        EXPECT_EQ(layout.Tip(), c.tip) << c.corner;
        EXPECT_EQ(layout.Body, c.body) << c.corner;
        EXPECT_EQ(layout.Text, c.text) << c.corner;
        EXPECT_EQ(layout.Window, Bounds(at.X - c.tip.X, at.Y - c.tip.Y, 116, 62)) << c.corner;
    }
    EXPECT_EQ(LayoutBalloon(kText, Point(1000, 700), 7, kMonitor).Corner, 4);
}

// A corner that would put the body off the monitor turns to its mirror, the tip still on the point.
TEST(BalloonLayout, ABalloonThatWouldLeaveTheMonitorTurnsToTheMirroredCorner) {
    const TKelvoBalloonLayout right = LayoutBalloon(kText, Point(1000, 400), 1, kMonitor);
    EXPECT_EQ(right.Corner, 2);
    EXPECT_LE(right.Window.Right, 1024);
    EXPECT_EQ(right.Window.TopLeft().X + right.Tip().X, 1000);

    const TKelvoBalloonLayout corner = LayoutBalloon(kText, Point(20, 760), 2, kMonitor);
    EXPECT_EQ(corner.Corner, 3);
    EXPECT_GE(corner.Window.Left, 0);
    EXPECT_LE(corner.Window.Bottom, 768);
    EXPECT_EQ(corner.Window.TopLeft().Y + corner.Tip().Y, 760);

    // Where neither side has room, the asked corner stays.
    EXPECT_EQ(LayoutBalloon(TSize{1100, 30}, Point(512, 10), 1, kMonitor).Corner, 1);
}
