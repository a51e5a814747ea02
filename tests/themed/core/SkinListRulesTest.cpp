// The list popup's decisions: sizes, where it opens, hits, scrolling, keys, auto-scroll and the wheel.
#include <gtest/gtest.h>

#include "themed/core/SkinListRules.h"

using namespace skin;

TEST(SkinListRules, VisibleLinesAndEmptyList) {
    EXPECT_EQ(ListVisibleLines(20, 8), 8);
    EXPECT_EQ(ListVisibleLines(5, 8), 5);
    EXPECT_EQ(ListVisibleLines(0, 8), 1);
    EXPECT_EQ(ListVisibleLines(20, 0), 1);
}

TEST(SkinListRules, OpensWithTheChosenLineAsTheLastVisible) {
    const TListStart start = ListStartAt(20, 8, 15);
    EXPECT_EQ(start.offset, 8);
    EXPECT_EQ(start.highlighted, 15);
    EXPECT_EQ(ListStartAt(20, 8, 3).offset, 0);
}

TEST(SkinListRules, AnIndexAtOrPastTheCountHighlightsNothing) {
    // Lines removed after the choice leave ItemIndex equal to the count.
    EXPECT_EQ(ListStartAt(5, 8, 5).highlighted, -1);
    EXPECT_EQ(ListStartAt(5, 8, 5).offset, 0);
    EXPECT_EQ(ListStartAt(0, 8, 0).highlighted, -1);
    EXPECT_EQ(ListStartAt(5, 8, -1).highlighted, -1);
    // Enter from such a highlight chooses nothing.
    EXPECT_EQ(ListKeyTarget(TListKey::Enter, 5, 5, 5), -1);
    EXPECT_EQ(ListKeyTarget(TListKey::Enter, 4, 5, 5), 4);
}

TEST(SkinListRules, LineUnderPoint) {
    // 16-pixel lines, 100 wide with a 17-pixel bar, scrolled to line 4, 8 visible of 20.
    EXPECT_EQ(ListLineAtPoint(10, 0, 100, 17, 16, 4, 8, 20), 4);
    EXPECT_EQ(ListLineAtPoint(10, 127, 100, 17, 16, 4, 8, 20), 11);
    EXPECT_EQ(ListLineAtPoint(10, 128, 100, 17, 16, 4, 8, 20), -1);
    EXPECT_EQ(ListLineAtPoint(84, 5, 100, 17, 16, 4, 8, 20), -1);
    EXPECT_EQ(ListLineAtPoint(-1, 5, 100, 17, 16, 4, 8, 20), -1);
    EXPECT_EQ(ListLineAtPoint(10, -3, 100, 17, 16, 4, 8, 20), -1);
    EXPECT_EQ(ListLineAtPoint(10, 40, 100, 0, 16, 0, 3, 2), -1);
}

TEST(SkinListRules, ScrollIntoViewMovesJustEnough) {
    EXPECT_EQ(ListScrollIntoView(2, 4, 8, 20), 2);
    EXPECT_EQ(ListScrollIntoView(12, 4, 8, 20), 5);
    EXPECT_EQ(ListScrollIntoView(11, 4, 8, 20), 4);
    EXPECT_EQ(ListScrollIntoView(20, 4, 8, 20), 4);
    EXPECT_EQ(ListScrollIntoView(-1, 4, 8, 20), 4);
}

TEST(SkinListRules, NavigationKeysClampToTheLines) {
    EXPECT_EQ(ListKeyTarget(TListKey::PageDown, 15, 8, 20), 19);
    EXPECT_EQ(ListKeyTarget(TListKey::PageUp, 15, 8, 20), 7);
    EXPECT_EQ(ListKeyTarget(TListKey::PageUp, 3, 8, 20), 0);
    EXPECT_EQ(ListKeyTarget(TListKey::End, 3, 8, 20), 19);
    EXPECT_EQ(ListKeyTarget(TListKey::Up, -1, 8, 20), 0);
    EXPECT_EQ(ListKeyTarget(TListKey::Down, 19, 8, 20), 19);
    EXPECT_EQ(ListKeyTarget(TListKey::Home, -1, 1, 0), -1);
    EXPECT_EQ(ListKeyTarget(TListKey::Down, -1, 1, 0), -1);
}

TEST(SkinListRules, AutoScrollSpeedByDistance) {
    const auto speed = [](int d) {
        const TListAutoScroll s = ListAutoScrollSpeed(d);
        return std::pair{s.interval, s.lines};
    };
    EXPECT_EQ(speed(9), (std::pair{150, 1}));
    EXPECT_EQ(speed(-10), (std::pair{100, 1}));
    EXPECT_EQ(speed(29), (std::pair{100, 1}));
    EXPECT_EQ(speed(30), (std::pair{100, 2}));
    EXPECT_EQ(speed(-50), (std::pair{100, 2}));
    EXPECT_EQ(speed(51), (std::pair{100, 4}));
}

TEST(SkinListRules, WheelNotchesAddUpAndKeepTheirSign) {
    TListWheel wheel;
    EXPECT_EQ(wheel.Add(40), 0);
    EXPECT_EQ(wheel.Add(40), 0);
    EXPECT_EQ(wheel.Add(40), 1);
    EXPECT_EQ(wheel.Add(-360), -3);
    EXPECT_EQ(wheel.Add(-130), -1);
    EXPECT_EQ(wheel.Pending(), -10);
}
