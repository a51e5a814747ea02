#include <gtest/gtest.h>

#include "toolbar/core/PopupPosition.h"

using namespace tb;

namespace {
const TRect kArea = Rect(0, 0, 800, 600);
}

TEST(PopupPosition, TableOfPlacements) {
    struct Case {
        const char* what;
        TTBPopupKind kind;
        TRect parent;
        TPoint point;
        TTBPopupAlignment align;
        TPoint size;
        bool dropRight;
        bool parentLeft;
        TPoint expected;
        bool openedLeft;
        unsigned slide;
    };
    using K = TTBPopupKind;
    using A = TTBPopupAlignment;
    const Case cases[] = {
        {"drop-down below the menu bar item",
         K::DropdownHorizontal,
         Rect(10, 0, 50, 20),
         {},
         A::Left,
         {100, 200},
         false,
         false,
         {10, 20},
         false,
         kSlideFromTop},
        {"drop-down right-aligned by the system",
         K::DropdownHorizontal,
         Rect(10, 0, 150, 20),
         {},
         A::Left,
         {100, 200},
         true,
         false,
         {50, 20},
         false,
         kSlideFromTop},
        {"drop-down near the bottom opens above",
         K::DropdownHorizontal,
         Rect(10, 500, 50, 520),
         {},
         A::Left,
         {100, 200},
         false,
         false,
         {10, 300},
         false,
         kSlideFromBottom},
        {"drop-down too tall for either side is pulled up",
         K::DropdownHorizontal,
         Rect(10, 100, 50, 120),
         {},
         A::Left,
         {100, 550},
         false,
         false,
         {10, 50},
         false,
         kSlideFromTop},
        {"drop-down passing the right edge ends there",
         K::DropdownHorizontal,
         Rect(750, 0, 790, 20),
         {},
         A::Left,
         {100, 200},
         false,
         false,
         {700, 20},
         false,
         kSlideFromTop},
        {"submenu to the right, overlapping the border",
         K::Submenu,
         Rect(100, 50, 200, 70),
         {},
         A::Left,
         {120, 100},
         false,
         false,
         {197, 47},
         false,
         kSlideFromLeft},
        {"submenu at the bottom meets its item's bottom",
         K::Submenu,
         Rect(100, 550, 200, 570),
         {},
         A::Left,
         {120, 100},
         false,
         false,
         {197, 473},
         false,
         kSlideFromLeft},
        {"submenu passing the right edge goes left",
         K::Submenu,
         Rect(600, 50, 700, 70),
         {},
         A::Left,
         {150, 100},
         false,
         false,
         {453, 47},
         true,
         kSlideFromRight},
        {"submenu of a left-opened menu goes left",
         K::Submenu,
         Rect(300, 50, 400, 70),
         {},
         A::Left,
         {120, 100},
         false,
         true,
         {183, 47},
         true,
         kSlideFromRight},
        {"left-opened parent but no room on the left: right",
         K::Submenu,
         Rect(50, 50, 150, 70),
         {},
         A::Left,
         {120, 100},
         false,
         true,
         {147, 47},
         false,
         kSlideFromLeft},
        {"room on neither side: left, kept at the area's edge",
         K::Submenu,
         Rect(300, 50, 500, 70),
         {},
         A::Left,
         {400, 100},
         false,
         false,
         {0, 47},
         true,
         kSlideFromRight},
        {"at a point", K::AtPoint, {}, {300, 200}, A::Left, {100, 100}, false, false, {300, 200}, false, kSlideFromTop},
        {"at a point, right-aligned",
         K::AtPoint,
         {},
         {300, 200},
         A::Right,
         {100, 100},
         false,
         false,
         {200, 200},
         false,
         kSlideFromTop},
        {"at a point, centred",
         K::AtPoint,
         {},
         {300, 200},
         A::Center,
         {100, 100},
         false,
         false,
         {250, 200},
         false,
         kSlideFromTop},
        {"left-aligned at a point near the right edge opens leftwards",
         K::AtPoint,
         {},
         {750, 200},
         A::Left,
         {100, 100},
         false,
         false,
         {650, 200},
         false,
         kSlideFromTop},
        {"right-aligned at a point near the left edge opens rightwards",
         K::AtPoint,
         {},
         {50, 200},
         A::Right,
         {100, 100},
         false,
         false,
         {50, 200},
         false,
         kSlideFromTop},
        {"at a point near the bottom opens above the point",
         K::AtPoint,
         {},
         {300, 550},
         A::Left,
         {100, 100},
         false,
         false,
         {300, 450},
         false,
         kSlideFromBottom},
        {"chevron of a horizontal toolbar",
         K::ChevronHorizontal,
         Rect(300, 0, 312, 22),
         {},
         A::Left,
         {100, 80},
         false,
         false,
         {212, 22},
         false,
         kSlideFromTop},
        {"drop-down of a vertical toolbar opens on its left",
         K::DropdownVertical,
         Rect(700, 100, 723, 122),
         {},
         A::Left,
         {100, 80},
         false,
         false,
         {600, 100},
         true,
         kSlideFromRight},
        {"drop-down of a left-docked toolbar goes right",
         K::DropdownVertical,
         Rect(0, 100, 23, 122),
         {},
         A::Left,
         {100, 80},
         false,
         false,
         {23, 100},
         false,
         kSlideFromLeft},
        {"drop-down of a vertical toolbar at the bottom is pulled up, not flipped",
         K::DropdownVertical,
         Rect(700, 560, 723, 582),
         {},
         A::Left,
         {100, 80},
         false,
         false,
         {600, 520},
         true,
         kSlideFromRight},
    };
    for (const Case& c : cases) {
        TPopupPlacementInput in;
        in.kind = c.kind;
        in.parent = c.parent;
        in.point = c.point;
        in.alignment = c.align;
        in.size = c.size;
        in.area = kArea;
        in.dropRightAligned = c.dropRight;
        in.parentOpenedLeft = c.parentLeft;
        const TPopupPlacement p = GetPopupPosition(in);
        EXPECT_EQ(p.position, c.expected) << c.what;
        if (c.kind == K::Submenu) {
            EXPECT_EQ(p.openedLeft, c.openedLeft) << c.what;
        }
        EXPECT_EQ(p.slide, c.slide) << c.what;
    }
}

TEST(PopupPosition, SecondMonitorWithNegativeCoordinates) {
    // A work area left of the primary one: the edges are the area's, not the screen's.
    TPopupPlacementInput in;
    in.kind = TTBPopupKind::Submenu;
    in.parent = Rect(-200, 100, -100, 120);
    in.size = Point(150, 60);
    in.area = Rect(-1024, 40, 0, 768);
    EXPECT_EQ(GetPopupPosition(in).position, Point(-347, 97));  // -103 + 150 passes 0: left, -200 + 3 - 150
}
