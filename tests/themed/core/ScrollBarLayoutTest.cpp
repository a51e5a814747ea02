// Zones, clamping, steps and thumb dragging of the list scroll bar.
#include <gtest/gtest.h>

#include "themed/core/ScrollBarLayout.h"

using namespace skin;

namespace {
TScrollBarState Vertical(int w, int h, int range, int window, int position = 0) {
    TScrollBarState s;
    s.vertical = true;
    s.width = w;
    s.height = h;
    s.range = range;
    s.window = window;
    s.position = position;
    return s;
}
}  // namespace

TEST(ScrollBarLayout, ZonesOfATallBarWithTheMinimumThumb) {
    const TScrollBarState s = Vertical(16, 100, 100, 10, 45);
    const TScrollBarZones z = LayoutScrollBar(s);
    EXPECT_EQ(z.arrow, 16);
    EXPECT_EQ(z.zone[1], Rect(0, 0, 16, 16));
    EXPECT_EQ(z.zone[5], Rect(0, 84, 16, 100));
    // Track 68; thumb round(6.8) = 7 raised to 8; offset round(60 x 45 / 90) = 30.
    EXPECT_EQ(z.zone[3], Rect(0, 46, 16, 54));
    EXPECT_EQ(z.zone[2], Rect(0, 16, 16, 46));
    EXPECT_EQ(z.zone[4], Rect(0, 54, 16, 84));
    EXPECT_TRUE(z.disabledTrack.IsEmpty());
    EXPECT_EQ(ZoneAt(z, Point(5, 50)), 3);
    EXPECT_EQ(ZoneAt(z, Point(5, 99)), 5);
    EXPECT_EQ(ZoneAt(z, Point(16, 50)), 0);
}

TEST(ScrollBarLayout, ShortOrUnneededBarsHaveNoThumb) {
    const TScrollBarZones shortBar = LayoutScrollBar(Vertical(16, 30, 100, 10));
    EXPECT_EQ(shortBar.arrow, 14);
    EXPECT_TRUE(shortBar.zone[3].IsEmpty());
    EXPECT_EQ(shortBar.disabledTrack, Rect(0, 14, 16, 16));
    const TScrollBarState full = Vertical(16, 100, 10, 10);
    EXPECT_FALSE(ScrollBarNeeded(full));
    EXPECT_EQ(LayoutScrollBar(full).disabledTrack, Rect(0, 16, 16, 84));
    TScrollBarState horizontal = Vertical(200, 16, 1000, 0);
    horizontal.vertical = false;
    EXPECT_EQ(PageSize(horizontal), 200);  // window 0: the bar's own length
    const TScrollBarZones h = LayoutScrollBar(horizontal);
    EXPECT_EQ(h.zone[5], Rect(184, 0, 200, 16));
    EXPECT_EQ(h.zone[3].Width(), 34);  // round(168 x 200 / 1000) = round(33.6)
    EXPECT_EQ(LayoutScrollBar(Vertical(0, 0, 10, 0)).zone[3], TRect{});
}

TEST(ScrollBarLayout, ClampingAndSteps) {
    TScrollBarState s = Vertical(16, 100, 100, 10, 45);
    EXPECT_EQ(ClampScrollPosition(s, -5), 0);
    EXPECT_EQ(ClampScrollPosition(s, 95), 90);
    EXPECT_EQ(StepPosition(s, 1), 44);
    EXPECT_EQ(StepPosition(s, 2), 35);
    EXPECT_EQ(StepPosition(s, 4), 55);
    EXPECT_EQ(StepPosition(s, 5), 46);
    EXPECT_EQ(StepPosition(s, 3), 45);
    s.position = 88;
    EXPECT_EQ(StepPosition(s, 4), 90);
    s.increment = 5;
    s.position = 2;
    EXPECT_EQ(StepPosition(s, 1), 0);
    EXPECT_EQ(ClampScrollPosition(Vertical(16, 100, 5, 10), 3), 0);  // page larger than range
}

TEST(ScrollBarLayout, DraggingTheThumbUsesTheFormulaOfItsSize) {
    // Minimum thumb: the move is scaled by (range - window) / (track - 8) = 90 / 60.
    const TScrollBarState small = Vertical(16, 100, 100, 10, 45);
    const TScrollBarZones zs = LayoutScrollBar(small);
    EXPECT_EQ(DragThumbPosition(small, zs, 45, 10), 60);
    EXPECT_EQ(DragThumbPosition(small, zs, 45, -100), 0);
    EXPECT_EQ(DragThumbPosition(small, zs, 45, 100), 90);
    // A proportional thumb: range / track = 100 / 68.
    const TScrollBarState big = Vertical(16, 100, 100, 50, 10);
    const TScrollBarZones zb = LayoutScrollBar(big);
    EXPECT_EQ(DragThumbPosition(big, zb, 10, 17), 35);
}
