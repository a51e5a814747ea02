// The scrolling view's arithmetic: excess and origin correction, the bars' setting, requests to deltas and
// the limits of a requested move.
#include <gtest/gtest.h>

#include "app/core/KelvoScrollMath.h"

namespace {

TKelvoScrollInput Input(int cw, int ch, int w, int h, int ox = 0, int oy = 0) {
    TKelvoScrollInput in;
    in.ContentWidth = cw;
    in.ContentHeight = ch;
    in.ClientWidth = w;
    in.ClientHeight = h;
    in.VBarWidth = 17;
    in.HBarHeight = 16;
    in.OriginX = ox;
    in.OriginY = oy;
    return in;
}

}  // namespace

TEST(ComputeScroll, ExcessWithTheOtherAxisBarAndOriginCorrection) {
    struct Case {
        TKelvoScrollInput in;
        int excessX, excessY, dx, dy;
    } cases[] = {
        // Smaller than the window: centred, no bar.
        {Input(300, 200, 500, 400), -200, -200, 100, 100},
        // Wider only: the horizontal bar takes 16 pixels of height, not enough to need the vertical one.
        {Input(1000, 300, 500, 400), 500, -84, 0, 42},
        // Wider, and tall enough that the horizontal bar makes it need the vertical one as well.
        {Input(1000, 390, 500, 400), 517, 6, 0, 0},
        // Taller and wider.
        {Input(1000, 1000, 500, 400), 517, 616, 0, 0},
        // Scrolled past the end: pulled back to the last position.
        {Input(1000, 300, 500, 400, -600, 42), 500, -84, 100, 0},
        // Scrolled before the start: back to 0.
        {Input(1000, 1000, 500, 400, 5, -616), 517, 616, -5, 0},
        // The window widened past content that was scrolled: centred again.
        {Input(300, 200, 500, 400, -200, 0), -200, -200, 300, 100},
        // Exactly the window's size: origin 0, no bar.
        {Input(500, 400, 500, 400, 3, 0), 0, 0, -3, 0},
    };
    for (const Case& c : cases) {
        const TKelvoScrollResult r = ComputeScroll(c.in);
        SCOPED_TRACE(::testing::Message() << c.in.ContentWidth << "x" << c.in.ContentHeight << " origin "
                                          << c.in.OriginX << "," << c.in.OriginY);
        EXPECT_EQ(r.ExcessX, c.excessX);
        EXPECT_EQ(r.ExcessY, c.excessY);
        EXPECT_EQ(r.DeltaX, c.dx);
        EXPECT_EQ(r.DeltaY, c.dy);
    }
}

TEST(ScrollBarSetting, ThumbReachesZeroToExcess) {
    // 1000 wide in 500: range 0..999 with a 500 page, so the last position is 500.
    TKelvoScrollBarSetting s = ScrollBarSetting(500, 500, -120);
    EXPECT_EQ(s.Min, 0);
    EXPECT_EQ(s.Max, 999);
    EXPECT_EQ(s.Page, 500);
    EXPECT_EQ(s.Pos, 120);
    // Both bars: the page is the room left beside the other bar, and the last position still shows the
    // content's last column.
    s = ScrollBarSetting(517, 483, -517);
    EXPECT_EQ(s.Max - s.Page + 1, 517);
    EXPECT_EQ(s.Max + 1, 1000);
    // No excess (centred content, origin > 0): the range fits the page, so the system hides the bar.
    s = ScrollBarSetting(-200, 500, 100);
    EXPECT_LE(s.Max - s.Min + 1, s.Page);
    EXPECT_EQ(s.Pos, 0);
}

TEST(ScrollRequestDelta, LinesPagesThumbAndTheEnds) {
    const TKelvoScrollBarState bar{0, 999, 400, 100, 350};
    EXPECT_EQ(ScrollRequestDelta(KelvoLineUp, bar, 10), -10);
    EXPECT_EQ(ScrollRequestDelta(KelvoLineDown, bar, 10), 10);
    EXPECT_EQ(ScrollRequestDelta(KelvoPageUp, bar, 10), -100);   // limited at 0
    EXPECT_EQ(ScrollRequestDelta(KelvoPageDown, bar, 10), 300);  // three quarters of a 400 page
    EXPECT_EQ(ScrollRequestDelta(KelvoThumbTrack, bar, 10), 250);
    EXPECT_EQ(ScrollRequestDelta(KelvoThumbPosition, bar, 10), 0);
    EXPECT_EQ(ScrollRequestDelta(KelvoTop, bar, 10), 0);
    EXPECT_EQ(ScrollRequestDelta(KelvoEndScroll, bar, 10), 0);
    // At the last position (max - page + 1 = 600) nothing moves further on.
    EXPECT_EQ(ScrollRequestDelta(KelvoPageDown, TKelvoScrollBarState{0, 999, 400, 550, 0}, 10), 50);
    EXPECT_EQ(ScrollRequestDelta(KelvoLineDown, TKelvoScrollBarState{0, 999, 400, 600, 0}, 10), 0);
    // A forged track position far outside the range is held to it.
    EXPECT_EQ(ScrollRequestDelta(KelvoThumbTrack, TKelvoScrollBarState{0, 999, 400, 100, -70000}, 10), -100);
    // No range (a hidden bar): nothing moves.
    EXPECT_EQ(ScrollRequestDelta(KelvoLineDown, TKelvoScrollBarState{0, 299, 400, 0, 0}, 10), 0);
}

TEST(ClampScrollDelta, HeldBetweenFirstAndLastPosition) {
    struct Case {
        int dx, dy, ox, oy, ex, ey, wantX, wantY;
    } cases[] = {
        {-30, 30, -10, -10, 500, 500, -30, 10},  // free, and up to position 0
        {-30, 0, -480, 0, 500, 500, -20, 0},     // to the last position
        {-30, -30, 100, 0, -200, 0, 0, 0},       // no excess: no move at all
        {40, 0, 0, 0, 500, 500, 0, 0},           // already at 0
    };
    for (const Case& c : cases) {
        int dx = c.dx, dy = c.dy;
        ClampScrollDelta(dx, dy, c.ox, c.oy, c.ex, c.ey);
        EXPECT_EQ(dx, c.wantX) << c.dx << " at " << c.ox;
        EXPECT_EQ(dy, c.wantY) << c.dy << " at " << c.oy;
    }
}

TEST(KelvoMulDiv, RoundsHalfAwayFromZero) {
    EXPECT_EQ(KelvoMulDiv(400, 3, 4), 300);
    EXPECT_EQ(KelvoMulDiv(383, 3, 4), 287);  // 287.25
    EXPECT_EQ(KelvoMulDiv(5, 1, 2), 3);
    EXPECT_EQ(KelvoMulDiv(-5, 1, 2), -3);
    EXPECT_EQ(KelvoMulDiv(-120, 30, 120), -30);
    EXPECT_EQ(KelvoMulDiv(7, 1, 0), 0);
}
