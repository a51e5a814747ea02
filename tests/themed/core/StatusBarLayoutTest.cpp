// Which status panels show in a width and where, panel content, the size grip and panel hits.
#include <gtest/gtest.h>

#include "themed/core/StatusBarLayout.h"

using namespace skin;

namespace {
TStatusPanelSpec Panel(int size, int view = 100, int stretch = 0, int max = 0) {
    TStatusPanelSpec p;
    p.Size = size;
    p.ViewPriority = static_cast<std::uint8_t>(view);
    p.StretchPriority = static_cast<std::uint8_t>(stretch);
    p.MaxSize = max;
    return p;
}
const TRect kBar = Rect(0, 0, 250, 22);
}  // namespace

TEST(StatusBarLayout, ANarrowBarDropsTheLowestPriorityFirst) {
    const auto places = ArrangeStatusPanels({Panel(100, 100), Panel(100, 50), Panel(100, 10)}, kBar);
    EXPECT_EQ(places[0].Bounds, Rect(0, 2, 100, 22));
    EXPECT_EQ(places[1].Bounds, Rect(100, 2, 200, 22));
    EXPECT_FALSE(places[2].Shown);
    EXPECT_TRUE(places[2].Bounds.IsEmpty());
    EXPECT_FALSE(places[1].TouchesEnd);
}

TEST(StatusBarLayout, PriorityHundredIsNeverDroppedAndRunsPastTheEdge) {
    const auto places = ArrangeStatusPanels({Panel(100), Panel(100), Panel(100)}, kBar);
    ASSERT_TRUE(places[2].Shown);
    EXPECT_EQ(places[2].Bounds, Rect(200, 2, 300, 22));
    // A fourth panel would start past the edge and is hidden.
    const auto four = ArrangeStatusPanels({Panel(100), Panel(100), Panel(100), Panel(10)}, kBar);
    EXPECT_FALSE(four[3].Shown);
}

TEST(StatusBarLayout, PriorityZeroNeverShowsAndTheLastOfEqualsGoesFirst) {
    auto places = ArrangeStatusPanels({Panel(50, 0), Panel(100), Panel(100, 30), Panel(100, 30)}, kBar);
    EXPECT_FALSE(places[0].Shown);
    EXPECT_EQ(places[1].Bounds, Rect(0, 2, 100, 22));
    EXPECT_EQ(places[2].Bounds, Rect(100, 2, 200, 22));
    EXPECT_FALSE(places[3].Shown);
    // One panel left is never dropped, whatever its priority.
    places = ArrangeStatusPanels({Panel(400, 5)}, kBar);
    EXPECT_EQ(places[0].Bounds, Rect(0, 2, 400, 22));
}

TEST(StatusBarLayout, StretchingFillsByPriorityAndCarriesPastMaxSize) {
    // 250 - 150 = 100 left: the stretch-9 panel stops at its MaxSize 80 (+30), the rest (70) goes to stretch 5.
    const auto places = ArrangeStatusPanels({Panel(50, 100, 5), Panel(50, 100, 9, 80), Panel(50, 100, 0)}, kBar);
    EXPECT_EQ(places[0].CurrentSize, 120);
    EXPECT_EQ(places[1].CurrentSize, 80);
    EXPECT_EQ(places[2].CurrentSize, 50);
    EXPECT_EQ(places[2].Bounds, Rect(200, 2, 250, 22));
    EXPECT_TRUE(places[2].TouchesEnd);
    // A MaxSize below the size does not hold the panel back: the remainder is used up.
    const auto below = ArrangeStatusPanels({Panel(100, 100, 1, 60), Panel(50)}, kBar);
    EXPECT_EQ(below[0].CurrentSize, 200);
}

TEST(StatusBarLayout, PanelContentByAlignment) {
    const TRect content = Rect(10, 4, 110, 20);
    auto c = PlaceStatusPanelContent(content, taLeftJustify, true, 16, 10);
    EXPECT_EQ(c.Image, Rect(11, 7, 27, 17));
    EXPECT_EQ(c.Text, Rect(31, 4, 109, 20));
    c = PlaceStatusPanelContent(content, taRightJustify, true, 16, 10);
    EXPECT_EQ(c.Image, Rect(93, 7, 109, 17));
    EXPECT_EQ(c.Text, Rect(11, 4, 89, 20));
    c = PlaceStatusPanelContent(content, taCenter, true, 16, 10);
    EXPECT_EQ(c.Image, Rect(52, 7, 68, 17));
    EXPECT_EQ(c.Text, Rect(11, 4, 109, 20));
    EXPECT_TRUE(PlaceStatusPanelContent(content, taLeftJustify, false, 16, 10).Image.IsEmpty());
}

TEST(StatusBarLayout, GripAndPanelHits) {
    EXPECT_EQ(SizeGripRect(Rect(0, 0, 300, 22), 17), Rect(283, 3, 300, 22));
    EXPECT_TRUE(SizeGripActive(true, true, Point(500, 400), Point(500, 400)));
    EXPECT_FALSE(SizeGripActive(true, false, Point(500, 400), Point(500, 400)));
    EXPECT_FALSE(SizeGripActive(true, true, Point(500, 400), Point(500, 401)));
    EXPECT_FALSE(SizeGripActive(false, true, Point(500, 400), Point(500, 400)));
    const auto places = ArrangeStatusPanels({Panel(100), Panel(100, 50), Panel(100, 10)}, kBar);
    EXPECT_EQ(StatusPanelAt(places, Point(150, 10)), 1);
    EXPECT_EQ(StatusPanelAt(places, Point(220, 10)), -1);
    EXPECT_EQ(StatusPanelAt(places, Point(50, 1)), -1);
}
