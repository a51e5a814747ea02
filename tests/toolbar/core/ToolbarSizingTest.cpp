#include <gtest/gtest.h>

#include <vector>

#include "classlib/core/Exceptions.h"
#include "toolbar/core/ToolbarSizing.h"
#include "tests/toolbar/support/LayoutItems.h"
#include "toolbar/core/ViewLayout.h"

using namespace tb;
using namespace toolbartest;

namespace {

// Buttons 20 wide and 22 high that wrap as many to a line as the wrap width holds (at least one).
TFloatingMeasure WrappedButtons(int count, int wrapWidth, std::vector<int>* asked = nullptr) {
    if (asked) asked->push_back(wrapWidth);
    const int perLine = wrapWidth == 0 ? count : std::max(1, std::min(count, wrapWidth / 20));
    const int lines = (count + perLine - 1) / perLine;
    return TFloatingMeasure{perLine * 20, lines * 22, lines};
}

}  // namespace

// A toolbar the dock shrank to 80 pixels (9 of them its drag handle) keeps what fits before the chevron, and
// the chevron ends exactly at the client's edge.
TEST(ToolbarSizing, ShrunkChevronToolbarEndsAtItsClientEdge) {
    const int offset = DockChevronOffset(tbsmChevron, true, 80, 9);
    EXPECT_EQ(offset, 80 - 9 - kChevronSize);
    EXPECT_EQ(DockChevronOffset(tbsmChevron, true, 0, 9), 0);    // not shrunk: no chevron
    EXPECT_EQ(DockChevronOffset(tbsmChevron, false, 80, 9), 0);  // measured for another dock
    EXPECT_EQ(DockChevronOffset(tbsmWrap, true, 80, 9), 0);

    TLayoutInput in;
    in.isToolbar = true;
    in.chevronOffset = offset;
    in.chevronSize = kChevronSize;
    std::vector<TLayoutItem> items(5, Button(23, 22));
    TLayoutItem chevron = Button(kChevronSize, 0);
    chevron.chevron = true;
    items.push_back(chevron);
    const TLayoutResult r = LayoutView(in, items);
    ASSERT_TRUE(r.chevronUsed);
    EXPECT_TRUE(r.chevronEnabled);
    int shownEnd = 0;
    for (int i = 0; i < 5; ++i) {
        if (r.viewers[i].shown) shownEnd = std::max(shownEnd, r.viewers[i].bounds.Right);
        EXPECT_EQ(r.viewers[i].offEdge, i >= 2) << i;
    }
    EXPECT_LE(shownEnd, r.viewers[5].bounds.Left);
    EXPECT_EQ(r.viewers[5].bounds.Right, 80 - 9);
    EXPECT_EQ(r.size.X, 80 - 9);
    // The least the dock may shrink it to holds one button and the chevron.
    EXPECT_EQ(ToolbarMinShrinkSize(23, 9), 23 + 9 + 12);
}

// A wrap-mode toolbar wraps at the dock's client length less its own non-client length, along the dock.
TEST(ToolbarSizing, WrapOffsetRunsAlongTheDock) {
    EXPECT_EQ(DockWrapOffset(tbsmWrap, false, TSize{300, 26}, TSize{2, 0}, TSize{9, 4}), 300 - 2 - 9);
    EXPECT_EQ(DockWrapOffset(tbsmWrap, true, TSize{26, 200}, TSize{0, 2}, TSize{4, 9}), 200 - 2 - 9);
    EXPECT_EQ(DockWrapOffset(tbsmChevron, false, TSize{300, 26}, TSize{2, 0}, TSize{9, 4}), 0);
    const TToolbarOffsets kept = FreeToolbarOffsets(tbsmChevron, true, 100);
    EXPECT_EQ(kept.chevron, 100 - kChevronSize);
    EXPECT_EQ(kept.wrap, 0);
    EXPECT_EQ(FreeToolbarOffsets(tbsmWrap, true, 100).wrap, 100);
    EXPECT_EQ(FreeToolbarOffsets(tbsmWrap, false, 100).wrap, 0);
}

// Four buttons: one line 80 wide; at 79 three fit a line (jump to 60: two lines); at 59 two fit (jump to 40:
// still two lines, which replaces the 60-wide entry); at 39 one fits (four lines); at 19 nothing fits: stop.
TEST(ToolbarSizing, FloatingSizesListEachDistinctWrappedLayout) {
    std::vector<int> asked;
    const std::vector<TFloatingSize> sizes =
        CollectFloatingSizes(6, [&](int w) { return WrappedButtons(4, w, &asked); });
    EXPECT_EQ(sizes, (std::vector<TFloatingSize>{{80, 22}, {40, 44}, {20, 88}}));
    EXPECT_EQ(asked, (std::vector<int>{0, 79, 60, 59, 40, 39, 20, 19}));

    // The smallest width (the floating view's margins) ends the walk early.
    EXPECT_EQ(CollectFloatingSizes(50, [](int w) { return WrappedButtons(4, w); }),
              (std::vector<TFloatingSize>{{80, 22}, {60, 44}}));

    std::vector<TFloatingSize> byHeight = sizes;
    SortFloatingSizes(byHeight, true);
    EXPECT_EQ(byHeight, (std::vector<TFloatingSize>{{80, 22}, {40, 44}, {20, 88}}));
    std::vector<TFloatingSize> byWidth = sizes;
    SortFloatingSizes(byWidth, false);
    EXPECT_EQ(byWidth, (std::vector<TFloatingSize>{{20, 88}, {40, 44}, {80, 22}}));
    // At width 40 the neighbours are 20 and 40 pixels away; at height 88 the nearest is 44 away: capped.
    EXPECT_EQ(FloatingStepThreshold({20, 40, 80}, 40), 12);
    EXPECT_EQ(FloatingStepThreshold({20, 25, 80}, 25), 4);
    EXPECT_EQ(FloatingStepThreshold({20, 21}, 21), 0);
}

TEST(ToolbarSizing, FloatingSizeBeyondSixteenBitsRaises) {
    EXPECT_THROW(CollectFloatingSizes(0, [](int) { return TFloatingMeasure{70000, 22, 1}; }), ERangeError);
}

// Widths 20, 40, 80 with threshold 12, starting at 40: the frame stays until the pointer comes within 12 pixels
// of the next width, then takes it; a fast drag passes several at once; shrinking walks back the same way.
TEST(ToolbarSizing, FloatingResizeStepsBetweenTheListedLengths) {
    const std::vector<int> lengths{20, 40, 80};
    EXPECT_EQ(FloatingStep(lengths, 1, 40, 12), 1);
    EXPECT_EQ(FloatingStep(lengths, 1, 67, 12), 1);
    EXPECT_EQ(FloatingStep(lengths, 1, 68, 12), 2);
    EXPECT_EQ(FloatingStep(lengths, 0, 200, 12), 2);
    EXPECT_EQ(FloatingStep(lengths, 2, 33, 12), 1);
    EXPECT_EQ(FloatingStep(lengths, 2, 32, 12), 0);
    EXPECT_EQ(FloatingStep(lengths, 1, 33, 12), 1);
    EXPECT_EQ(FloatingStep(lengths, 1, 32, 12), 0);
    EXPECT_EQ(FloatingStep(lengths, 0, 5, 12), 0);
}
