#include <gtest/gtest.h>

#include "tests/toolbar/support/LayoutItems.h"
#include "toolbar/core/ViewLayout.h"

using namespace tb;
using namespace toolbartest;

namespace {

std::vector<bool> Shown(const TLayoutResult& r) {
    std::vector<bool> out;
    for (const auto& v : r.viewers) out.push_back(v.shown);
    return out;
}

TLayoutInput Toolbar() {
    TLayoutInput in;
    in.isToolbar = true;
    return in;
}

}  // namespace

TEST(ViewLayout, SeparatorsNeverFirstLastOrDoubled) {
    struct Case {
        const char* pattern;  // s separator, i item, h hidden item
        std::vector<bool> shown;
    };
    const Case cases[] = {
        {"sis", {false, true, false}},
        {"isssi", {true, true, false, false, true}},
        {"ishsi", {true, true, false, false, true}},  // doubled across a hidden item
        {"hsh", {false, false, false}},               // nothing but separators shows nothing
        {"isih", {true, true, true, false}},
        {"ishs", {true, false, false, false}},  // trailing separators behind a hidden item
    };
    for (const Case& c : cases) {
        std::vector<TLayoutItem> items;
        for (const char* p = c.pattern; *p; ++p) {
            items.push_back(*p == 's' ? Separator() : *p == 'h' ? Hidden(MenuRow(10, 10)) : MenuRow(10, 10));
        }
        EXPECT_EQ(Shown(LayoutView(TLayoutInput{}, items)), c.shown) << c.pattern;
    }
}

TEST(ViewLayout, MenuRowsStackAndToolbarSizedRowsRunAlong) {
    // A menu: two rows, two toolbar-sized items on one line, then a row below everything.
    TLayoutInput in;
    const auto r = LayoutView(in, {MenuRow(50, 20), MenuRow(70, 18), Button(23, 22), Button(23, 30), MenuRow(40, 20)});
    // Rows take the menu's full width (a separator measures 0 wide in a menu).
    EXPECT_EQ(r.viewers[0].bounds, Rect(0, 0, 70, 20));
    EXPECT_EQ(r.viewers[1].bounds, Rect(0, 20, 70, 38));
    EXPECT_EQ(r.viewers[2].bounds, Rect(0, 38, 23, 60));  // not centred: menus do not centre lines
    EXPECT_EQ(r.viewers[3].bounds, Rect(23, 38, 46, 68));
    EXPECT_EQ(r.viewers[4].bounds, Rect(0, 68, 70, 88));
    EXPECT_EQ(r.size, Point(70, 88));
}

TEST(ViewLayout, ToolbarCentresAcrossTheLineAndPushesRightAlignedItems) {
    TLayoutInput in = Toolbar();
    in.baseSize = Point(200, 0);
    TLayoutItem right = Button(20, 10);
    right.rightAlign = true;
    const auto r = LayoutView(in, {Button(23, 22), Separator(6, 6), Button(30, 16), right, Button(10, 10)});
    EXPECT_EQ(r.viewers[0].bounds, Rect(0, 0, 23, 22));
    EXPECT_EQ(r.viewers[1].bounds, Rect(23, 0, 29, 22));  // a separator takes the full thickness
    EXPECT_EQ(r.viewers[2].bounds, Rect(29, 3, 59, 19));
    // From the first right-aligned item on, everything moves to the end of the 200-pixel base size.
    EXPECT_EQ(r.viewers[3].bounds, Rect(170, 6, 190, 16));
    EXPECT_EQ(r.viewers[4].bounds, Rect(190, 6, 200, 16));
    EXPECT_EQ(r.size, Point(200, 22));
}

TEST(ViewLayout, WrapBreaksAtASeparatorWhoseGroupNoLongerFits) {
    TLayoutInput in = Toolbar();
    in.wrapOffset = 60;
    const auto r = LayoutView(in, {Button(20, 20), Button(20, 20), Separator(), Button(20, 20), Button(20, 20)});
    EXPECT_EQ(r.viewers[1].bounds, Rect(20, 0, 40, 20));
    EXPECT_TRUE(r.viewers[2].lineSeparator);
    EXPECT_EQ(r.viewers[2].bounds, Rect(0, 20, 60, 26));  // 6 high across the whole width
    EXPECT_EQ(r.viewers[3].bounds, Rect(0, 26, 20, 46));
    EXPECT_EQ(r.viewers[4].bounds, Rect(20, 26, 40, 46));
    EXPECT_EQ(r.size, Point(60, 46));  // a wrapped view is as wide as its wrap offset

    // Without a separator, the item that would pass the offset starts the next line.
    const auto plain = LayoutView(in, {Button(25, 20), Button(25, 20), Button(25, 20)});
    EXPECT_EQ(plain.viewers[2].bounds, Rect(0, 20, 25, 40));
    EXPECT_FALSE(plain.viewers[2].lineSeparator);

    // A stretch item alone on its line takes the view's full length.
    TLayoutItem stretch = Button(20, 20);
    stretch.stretch = true;
    const auto s = LayoutView(in, {Button(50, 20), stretch});
    EXPECT_EQ(s.viewers[1].bounds, Rect(0, 20, 60, 40));
}

TEST(ViewLayout, ChevronHidesLowestPriorityFirstAndKeepsTwoItems) {
    TLayoutInput in = Toolbar();
    in.chevronOffset = 70;
    in.chevronSize = 12;
    // Five buttons of 20: 100 > 70, so one separator (trailing after hiding) and items go behind.
    const std::vector<TLayoutItem> items = {Button(20, 20), Button(20, 20), Separator(),
                                            Button(20, 20), Button(20, 20), Chevron()};
    auto r = LayoutView(in, items);
    EXPECT_TRUE(r.chevronUsed);
    EXPECT_TRUE(r.chevronEnabled);
    EXPECT_EQ(Shown(r), (std::vector<bool>{true, true, true, true, false, true}));
    EXPECT_TRUE(r.viewers[4].offEdge);
    EXPECT_EQ(r.viewers[5].bounds, Rect(70, 0, 82, 20));  // the chevron at its offset, full cross size

    // Priority order: the front is hidden last, so item 0 (last in the list) goes first.
    in.chevronOffset = 50;
    in.priority = {4, 3, 1, 0};
    r = LayoutView(in, items);
    EXPECT_EQ(Shown(r), (std::vector<bool>{false, false, false, true, true, true}));
    EXPECT_TRUE(r.viewers[0].offEdge);
    EXPECT_TRUE(r.viewers[1].offEdge);
    EXPECT_FALSE(r.viewers[2].offEdge);  // the separator went because it stood first, not behind the chevron

    // However little room there is, two items stay.
    in.chevronOffset = 1;
    in.priority.clear();
    r = LayoutView(in, items);
    EXPECT_EQ(Shown(r), (std::vector<bool>{true, true, false, false, false, true}));
    EXPECT_EQ(r.viewers[5].bounds.Left, 40);  // after the items when they pass the offset

    // A chevron with room to spare is not used; nor is one hiding only controls enabled.
    in.chevronOffset = 200;
    EXPECT_FALSE(LayoutView(in, items).chevronUsed);
    TLayoutItem control = Button(40, 20);
    control.control = true;
    in.chevronOffset = 50;
    r = LayoutView(in, {Button(20, 20), Button(20, 20), control, Chevron()});
    EXPECT_TRUE(r.chevronUsed);
    EXPECT_FALSE(r.chevronEnabled);
}

TEST(ViewLayout, VerticalAndFloatingViews) {
    TLayoutInput in = Toolbar();
    in.orientation = TTBViewOrientation::Vertical;
    // Sizes are the real ones: a 23 x 22 button and a separator, stacked down, centred across the column.
    auto r = LayoutView(in, {Button(23, 22), Separator(6, 6), Button(17, 22)});
    EXPECT_EQ(r.viewers[0].bounds, Rect(0, 0, 23, 22));
    EXPECT_EQ(r.viewers[1].bounds, Rect(0, 22, 23, 28));
    EXPECT_EQ(r.viewers[2].bounds, Rect(3, 28, 20, 50));
    EXPECT_EQ(r.size, Point(23, 50));

    in.orientation = TTBViewOrientation::Floating;
    in.margins = ViewMargins(in.orientation);
    r = LayoutView(in, {Button(23, 22)});
    EXPECT_EQ(r.viewers[0].bounds, Rect(4, 2, 27, 24));
    EXPECT_EQ(r.size, Point(31, 25));
    EXPECT_EQ(ViewMargins(TTBViewOrientation::Horizontal), TRect{});
}

TEST(ViewLayout, TallMenuScrollsAndClipsUnderTheArrows) {
    TLayoutInput in;
    in.maxHeight = 100;
    std::vector<TLayoutItem> rows(10, MenuRow(80, 20));  // 200 high
    struct Case {
        int offset;
        int expectedOffset;
        bool up, down;
        int firstShown;
        int lastShown;
    };
    const Case cases[] = {
        {0, 0, false, true, 0, 3},      // rows 0-3 end at 80 <= 81; row 4 reaches under the down arrow
        {-5, 0, false, true, 0, 3},     // limited to 0
        {40, 40, true, true, 3, 5},     // row 2 at top 0 is under the up arrow, row 6 over the down one
        {500, 100, true, false, 6, 9},  // limited to height - maximum
    };
    for (const Case& c : cases) {
        in.scrollOffset = c.offset;
        const auto r = LayoutView(in, rows);
        EXPECT_EQ(r.scrollOffset, c.expectedOffset) << c.offset;
        EXPECT_EQ(r.upArrow, c.up) << c.offset;
        EXPECT_EQ(r.downArrow, c.down) << c.offset;
        EXPECT_EQ(r.size.Y, 100);
        for (int i = 0; i < 10; ++i) {
            const bool shown = i >= c.firstShown && i <= c.lastShown;
            EXPECT_EQ(r.viewers[static_cast<std::size_t>(i)].shown, shown) << c.offset << " row " << i;
            EXPECT_EQ(r.viewers[static_cast<std::size_t>(i)].clipped, !shown) << c.offset << " row " << i;
        }
        EXPECT_EQ(r.viewers[static_cast<std::size_t>(c.firstShown)].bounds.Top, c.firstShown * 20 - c.expectedOffset);
    }
    // A work area lower than both arrows clips everything and still ends.
    in.maxHeight = 30;
    in.scrollOffset = 20;
    const auto r = LayoutView(in, rows);
    for (const auto& v : r.viewers) EXPECT_FALSE(v.shown);
}

TEST(ViewLayout, SameWidthAndChanges) {
    TLayoutItem a = Button(30, 40);
    a.sameWidth = true;
    TLayoutItem b = Button(50, 40);
    b.sameWidth = true;
    const auto r = LayoutView(Toolbar(), {a, Button(10, 40), b});
    EXPECT_EQ(r.viewers[0].bounds.Width(), 50);
    EXPECT_EQ(r.viewers[2].bounds, Rect(60, 0, 110, 40));

    auto moved = r.viewers;
    EXPECT_FALSE(LayoutChanged(r.viewers, moved));
    moved[1].offEdge = true;  // not one of the compared flags
    EXPECT_FALSE(LayoutChanged(r.viewers, moved));
    moved[1].lineSeparator = true;
    EXPECT_TRUE(LayoutChanged(r.viewers, moved));
    moved = r.viewers;
    moved[2].bounds.Left += 1;
    EXPECT_TRUE(LayoutChanged(r.viewers, moved));
    moved.pop_back();
    EXPECT_TRUE(LayoutChanged(r.viewers, moved));
}

TEST(ViewLayout, NextSelectableWrapsRound) {
    const std::vector<bool> sel = {false, true, false, true};
    EXPECT_EQ(NextSelectable(sel, -1, true), 1);
    EXPECT_EQ(NextSelectable(sel, -1, false), 3);
    EXPECT_EQ(NextSelectable(sel, 3, true), 1);
    EXPECT_EQ(NextSelectable(sel, 1, false), 3);
    EXPECT_EQ(NextSelectable({false, true}, 1, true), 1);  // a full circle comes back to itself
    EXPECT_EQ(NextSelectable({false, false}, 0, true), -1);
    EXPECT_EQ(NextSelectable({}, -1, true), -1);
}
