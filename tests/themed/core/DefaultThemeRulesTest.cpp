// The default theme's colours, margins, borders and metrics by view type and item state.
#include <gtest/gtest.h>

#include "themed/core/DefaultThemeRules.h"

using namespace skin;

namespace {
TThemeColorCache Cache() {
    TThemeColorCache c;
    c.ToolbarColor = 0x111111;
    c.ToolbarTextColor = 0x222222;
    c.DockColor = 0x333333;
    c.DockPanelColor = 0x444444;
    c.StatusBarColor = 0x555555;
    return c;
}
TSkinItemInfo Item(std::int32_t viewType, std::int32_t options = 0, bool enabled = true, std::uint8_t hover = 0) {
    TSkinItemInfo i;
    i.ViewType = viewType;
    i.ItemOptions = options;
    i.Enabled = enabled;
    i.HoverKind = hover;
    return i;
}
}  // namespace

TEST(DefaultThemeRules, ViewColoursByKind) {
    const TThemeColorCache c = Cache();
    TDefaultThemeInputs in;
    in.menuColor = 0x666666;
    EXPECT_EQ(DefaultViewColor(0x101, c, in), 0x111111);
    EXPECT_EQ(DefaultViewColor(0x102 | vtFloating, c, in), 0x111111);
    EXPECT_EQ(DefaultViewColor(0x203, c, in), 0x111111);
    EXPECT_EQ(DefaultViewColor(0x201, c, in), 0x666666);
    EXPECT_EQ(DefaultViewColor(0x204, c, in), 0x666666);
    EXPECT_EQ(DefaultViewColor(0x202, c, in), clWindow);
    EXPECT_EQ(DefaultViewColor(0x301, c, in), 0x555555);
    EXPECT_EQ(DefaultViewColor(0x4FF, c, in), 0x444444);
    EXPECT_EQ(DefaultViewColor(0x500, c, in), 0x111111);
    EXPECT_EQ(DefaultViewColor(0x601, c, in), 0x333333);
    EXPECT_EQ(DefaultViewColor(0x205, c, in), clBtnFace);
    EXPECT_EQ(DefaultViewColor(0x700, c, in), clBtnFace);
}

TEST(DefaultThemeRules, ItemColoursAndImageBackgrounds) {
    const TThemeColorCache c = Cache();
    TDefaultThemeInputs in;
    EXPECT_EQ(DefaultItemColor(Item(0x201, 0, true, hkHot), c, in), clHighlight);
    EXPECT_EQ(DefaultItemColor(Item(0x201, ioToolbarStyle, true, hkHot), c, in), clMenu);
    // A disabled item selected from the keyboard is hot; one with hover kind 2 is not.
    EXPECT_EQ(DefaultItemColor(Item(0x201, 0, false, hkDisabledKeyboard), c, in), clHighlight);
    EXPECT_EQ(DefaultItemColor(Item(0x201, 0, false, hkHot), c, in), clMenu);
    in.visualStyles = true;
    EXPECT_EQ(DefaultItemColor(Item(0x201, 0, true, hkHot), c, in), clMenu);

    EXPECT_EQ(DefaultItemImageBackground(Item(0x204), c, in), std::make_pair(TColor(clMenu), false));
    in.flatMenus = true;
    EXPECT_EQ(DefaultItemImageBackground(Item(0x102, 0, true, hkHot), c, in),
              std::make_pair(TColor(clHighlight), false));
    EXPECT_EQ(DefaultItemImageBackground(Item(0x204), c, in), std::make_pair(TColor(0x111111), true));
    EXPECT_EQ(DefaultItemImageBackground(Item(0x201, 0, true, hkHot), c, in), std::make_pair(TColor(0x111111), false));
    EXPECT_EQ(DefaultItemImageBackground(Item(0x201), c, in), std::make_pair(TColor(clMenu), false));
}

TEST(DefaultThemeRules, ItemTextColours) {
    TDefaultThemeInputs in;
    in.menuTextColor = 0x777777;
    EXPECT_EQ(DefaultItemTextColor(Item(0x201, 0, false), in).first, clGrayText);
    EXPECT_EQ(DefaultItemTextColor(Item(0x201, 0, true, hkHot), in).first, clHighlightText);
    EXPECT_EQ(DefaultItemTextColor(Item(0x201), in).first, 0x777777);
    EXPECT_EQ(DefaultItemTextColor(Item(0x101, ioToolbarStyle), in).first, clBtnText);
    EXPECT_EQ(DefaultItemTextColor(Item(0x102, ioToolbarStyle), in), std::make_pair(TColor(clGrayText), true));
    EXPECT_EQ(DefaultItemTextColor(Item(0x102, ioToolbarStyle | ioAppActive), in),
              std::make_pair(TColor(clBtnText), false));
    in.flatMenus = true;  // a menu-bar button then takes menu colours
    EXPECT_EQ(DefaultItemTextColor(Item(0x102, ioToolbarStyle | ioAppActive, true, hkHot), in).first, clHighlightText);
    EXPECT_EQ(DefaultItemTextColor(Item(0x102, ioToolbarStyle), in), std::make_pair(TColor(clGrayText), true));
}

TEST(DefaultThemeRules, MarginsBordersAndMetrics) {
    TDefaultThemeInputs in;
    in.sizeFrame = TSize{5, 6};
    in.fixedFrame = TSize{3, 4};
    EXPECT_EQ(DefaultMargins(mkItem, in), Rect(2, 2, 2, 2));
    EXPECT_EQ(DefaultMargins(mkMenu, in), Rect(0, 2, 0, 2));
    EXPECT_EQ(DefaultMargins(mkStatusPane, in), Rect(1, 1, 3, 1));
    EXPECT_EQ(DefaultMargins(7, in), TRect{});
    in.visualStyles = true;
    in.toolbarItemMargins = Rect(3, 4, 5, 1000);  // an odd visual style is kept sane
    EXPECT_EQ(DefaultMargins(mkItem, in), Rect(3, 4, 5, 64));
    EXPECT_EQ(DefaultMargins(mkStatusPane, in), Rect(1, 1, 3, 1));  // the query failed

    EXPECT_EQ(DefaultViewBorder(0x101, in), (TSize{2, 2}));
    EXPECT_EQ(DefaultViewBorder(0x101 | vtFloating, in), (TSize{3, 4}));
    EXPECT_EQ(DefaultViewBorder(0x401 | vtFloating | vtResizable, in), (TSize{5, 6}));
    EXPECT_EQ(DefaultViewBorder(0x202, in), (TSize{1, 1}));
    EXPECT_EQ(DefaultViewBorder(0x201, in), (TSize{3, 3}));
    EXPECT_EQ(DefaultViewBorder(0x301, in), (TSize{0, 0}));
    EXPECT_EQ(DefaultViewMargins(0x101 | vtFloating), Rect(4, 4, 2, 1));
    EXPECT_EQ(DefaultViewMargins(0x401 | vtFloating), TRect{});

    const int expected[][2] = {{20, 8}, {21, 3}, {32, 1}, {62, 1},  {33, 2}, {34, 2},  {36, 2}, {60, 2},
                               {61, 2}, {37, 4}, {50, 6}, {65, 13}, {66, 0}, {35, -1}, {0, -1}, {99, -1}};
    for (auto [index, value] : expected) EXPECT_EQ(DefaultIntegerMetric(index, in), value) << index;
    EXPECT_EQ(DefaultIntegerMetric(10, in), 11);  // visual styles without an answer
    in.splitArrowWidth = 13;
    EXPECT_EQ(DefaultIntegerMetric(10, in), 15);
    EXPECT_TRUE(DefaultBooleanMetric(5, in));
    EXPECT_FALSE(DefaultBooleanMetric(1, in));
    in.visualStyles = false;
    EXPECT_EQ(DefaultIntegerMetric(10, in), 11);
    EXPECT_FALSE(DefaultBooleanMetric(5, in));
}

TEST(DefaultThemeRules, ButtonStatesOffsetsAndGlyphs) {
    TSkinItemInfo i = Item(0x101, ioToolbarStyle);
    EXPECT_EQ(ToolbarButtonState(i), 1);
    i.HoverKind = hkHot;
    EXPECT_EQ(ToolbarButtonState(i), 2);
    i.Selected = true;
    EXPECT_EQ(ToolbarButtonState(i), 6);
    EXPECT_EQ(DefaultImageOffset(i), Point(1, 1));
    i.HoverKind = hkNone;
    EXPECT_EQ(ToolbarButtonState(i), 5);
    i.Pushed = true;
    EXPECT_EQ(ToolbarButtonState(i), 3);
    i.Enabled = false;
    EXPECT_EQ(ToolbarButtonState(i), 4);
    i.HoverKind = hkDisabledKeyboard;
    EXPECT_EQ(ToolbarButtonState(i), 2);
    EXPECT_EQ(DefaultImageOffset(Item(0x101)), Point(0, 0));

    EXPECT_EQ(CheckTickPolygon(10, 10)[2], Point(13, 8));
    EXPECT_EQ(CheckTickHighlight(10, 10).back(), Point(14, 7));
    // Item 0..20 high, right edge 100, menu-check width 15: x = 100 - 10 - 2.
    EXPECT_EQ(SubmenuArrow(Rect(0, 0, 100, 20), 15), (std::vector<TPoint>{Point(88, 7), Point(88, 13), Point(91, 10)}));
}
