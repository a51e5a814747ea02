// Where aligned and anchored children go inside their parent's area.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/core/AlignArithmetic.h"

namespace {

TAlignItem Item(TAlign align, TRect bounds) {
    TAlignItem item;
    item.Align = align;
    item.Anchors = AnchorsForAlign(align, TAnchors{akLeft, akTop});
    item.Bounds = bounds;
    return item;
}

// Runs one alignment and feeds the result back into the items, as a parent does with its children.
void Pass(std::vector<TAlignItem>& items, TRect area, int moving = -1) {
    for (std::size_t i = 0; i < items.size(); ++i) items[i].Moving = static_cast<int>(i) == moving;
    auto placed = ArrangeControls(area, items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].Bounds = placed[i].Bounds;
        items[i].Order = placed[i].Order;
    }
}

}  // namespace

TEST(AlignArithmetic, StacksTopBottomLeftRightThenClientAndLeavesTheRest) {
    // Listed in the reverse of the stacking order, to show the list order does not matter.
    std::vector<TAlignItem> items{Item(alClient, Bounds(0, 0, 5, 5)), Item(alRight, Bounds(0, 0, 15, 5)),
                                  Item(alLeft, Bounds(0, 0, 30, 5)), Item(alBottom, Bounds(0, 0, 5, 20)),
                                  Item(alTop, Bounds(0, 0, 5, 10))};
    TRect area = Rect(0, 0, 100, 100);
    auto placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[4].Bounds, Rect(0, 0, 100, 10));
    EXPECT_EQ(placed[3].Bounds, Rect(0, 80, 100, 100));
    EXPECT_EQ(placed[2].Bounds, Rect(0, 10, 30, 80));
    EXPECT_EQ(placed[1].Bounds, Rect(85, 10, 100, 80));
    EXPECT_EQ(placed[0].Bounds, Rect(30, 10, 85, 80));
    EXPECT_EQ(area, Rect(30, 10, 85, 80)) << "the area left over for the client";
}

TEST(AlignArithmetic, SameAlignmentIsOrderedByPositionNearestTheEdgeFirst) {
    std::vector<TAlignItem> tops{Item(alTop, Bounds(0, 50, 10, 10)), Item(alTop, Bounds(0, 0, 10, 20))};
    TRect area = Rect(0, 0, 100, 100);
    auto placed = ArrangeControls(area, tops);
    EXPECT_EQ(placed[1].Bounds.Top, 0);
    EXPECT_EQ(placed[0].Bounds.Top, 20);
    EXPECT_EQ(placed[1].Order, 0);
    EXPECT_EQ(placed[0].Order, 1);

    // Bottom-aligned: the one lower down stays nearest the bottom.
    std::vector<TAlignItem> bottoms{Item(alBottom, Bounds(0, 10, 10, 10)), Item(alBottom, Bounds(0, 60, 10, 10))};
    area = Rect(0, 0, 100, 100);
    placed = ArrangeControls(area, bottoms);
    EXPECT_EQ(placed[1].Bounds, Rect(0, 90, 100, 100));
    EXPECT_EQ(placed[0].Bounds, Rect(0, 80, 100, 90));

    // Right-aligned: the one further right stays at the right edge.
    std::vector<TAlignItem> rights{Item(alRight, Bounds(70, 0, 10, 10)), Item(alRight, Bounds(20, 0, 10, 10))};
    area = Rect(0, 0, 100, 100);
    placed = ArrangeControls(area, rights);
    EXPECT_EQ(placed[0].Bounds.Left, 90);
    EXPECT_EQ(placed[1].Bounds.Left, 80);
}

TEST(AlignArithmetic, TiesGoToThePreviousOrderThenToTheMovingChild) {
    std::vector<TAlignItem> items{Item(alTop, Bounds(0, 0, 10, 10)), Item(alTop, Bounds(0, 0, 10, 10))};
    items[0].Order = 1;
    items[1].Order = 0;
    TRect area = Rect(0, 0, 100, 100);
    auto placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[1].Bounds.Top, 0) << "previous order decides";
    EXPECT_EQ(placed[0].Bounds.Top, 10);

    items[0].Moving = true;
    area = Rect(0, 0, 100, 100);
    placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[1].Bounds.Top, 0) << "the previous order still decides";

    items[0].Order = 0;  // e.g. a child just added: it goes before the one already there
    area = Rect(0, 0, 100, 100);
    placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[0].Bounds.Top, 0) << "then the child that moved wins the tie";
    EXPECT_EQ(placed[1].Bounds.Top, 10);
}

TEST(AlignArithmetic, AHiddenChildReturnsToItsPlaceWhenShownAgain) {
    const TRect area = Rect(0, 0, 100, 100);
    std::vector<TAlignItem> items{Item(alTop, Bounds(0, 0, 10, 10)), Item(alTop, Bounds(0, 10, 10, 10)),
                                  Item(alTop, Bounds(0, 20, 10, 10))};
    Pass(items, area);
    EXPECT_EQ(items[2].Bounds.Top, 20);

    items[1].Visible = false;  // hide B
    Pass(items, area, 1);
    EXPECT_EQ(items[0].Bounds.Top, 0);
    EXPECT_EQ(items[2].Bounds.Top, 10) << "C moves up into B's room";

    items[0].Visible = false;  // hide A
    Pass(items, area, 0);
    EXPECT_EQ(items[2].Bounds.Top, 0);

    items[1].Visible = true;  // show B: it goes back above C
    Pass(items, area, 1);
    EXPECT_EQ(items[1].Bounds.Top, 0);
    EXPECT_EQ(items[2].Bounds.Top, 10);

    items[0].Visible = true;  // show A: back on top
    Pass(items, area, 0);
    EXPECT_EQ(items[0].Bounds, Rect(0, 0, 100, 10));
    EXPECT_EQ(items[1].Bounds, Rect(0, 10, 100, 20));
    EXPECT_EQ(items[2].Bounds, Rect(0, 20, 100, 30));

    // The same with left-aligned children and the last one hidden and shown.
    std::vector<TAlignItem> lefts{Item(alLeft, Bounds(0, 0, 10, 10)), Item(alLeft, Bounds(10, 0, 20, 10)),
                                  Item(alClient, Bounds(0, 0, 1, 1))};
    Pass(lefts, area);
    lefts[0].Visible = false;
    Pass(lefts, area, 0);
    EXPECT_EQ(lefts[1].Bounds.Left, 0);
    EXPECT_EQ(lefts[2].Bounds.Left, 20);
    lefts[0].Visible = true;
    Pass(lefts, area, 0);
    EXPECT_EQ(lefts[0].Bounds.Left, 0);
    EXPECT_EQ(lefts[1].Bounds.Left, 10);
    EXPECT_EQ(lefts[2].Bounds, Rect(30, 0, 100, 100));
}

TEST(AlignArithmetic, ConstraintsLimitAlignedSizes) {
    std::vector<TAlignItem> items{Item(alTop, Bounds(0, 0, 10, 5)), Item(alClient, Bounds(0, 0, 1, 1))};
    items[0].Constraints.MinHeight = 15;
    items[1].Constraints.MaxWidth = 50;
    items[1].Constraints.MaxHeight = 30;
    TRect area = Rect(0, 0, 100, 100);
    auto placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[0].Bounds, Rect(0, 0, 100, 15));
    EXPECT_EQ(placed[1].Bounds, Rect(0, 15, 50, 45));

    EXPECT_EQ(ConstrainExtent(5, 0, 0), 5);
    EXPECT_EQ(ConstrainExtent(5, 8, 0), 8);
    EXPECT_EQ(ConstrainExtent(50, 0, 20), 20);
}

TEST(AlignArithmetic, AnchorsFollowTheParentsGrowthFromTheirBase) {
    auto anchored = [](TAnchors anchors) {
        TAlignItem item;
        item.Anchors = anchors;
        item.AnchorBase = Bounds(10, 10, 50, 20);
        item.Bounds = item.AnchorBase;
        item.AnchorParentSize = TSize{100, 100};
        return item;
    };
    std::vector<TAlignItem> items{anchored({akLeft, akTop, akRight}), anchored({akRight, akBottom}), anchored({}),
                                  anchored({akLeft, akTop, akBottom}), anchored({akLeft, akTop})};
    items[4].Bounds = Bounds(3, 4, 5, 6);  // default anchors: left where it is
    TRect area = Rect(0, 0, 200, 140);
    auto placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[0].Bounds, Bounds(10, 10, 150, 20)) << "left and right: stretches";
    EXPECT_EQ(placed[1].Bounds, Bounds(110, 50, 50, 20)) << "right and bottom: moves";
    EXPECT_EQ(placed[2].Bounds, Bounds(60, 30, 50, 20)) << "no anchors: keeps its relative centre";
    EXPECT_EQ(placed[3].Bounds, Bounds(10, 10, 50, 60));
    EXPECT_EQ(placed[4].Bounds, Bounds(3, 4, 5, 6));

    // Shrinking back gives the base again; an unknown parent size leaves the child alone.
    area = Rect(0, 0, 100, 100);
    placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[0].Bounds, Bounds(10, 10, 50, 20));
    items[1].AnchorParentSize = TSize{};
    items[1].Bounds = Bounds(1, 2, 3, 4);
    area = Rect(0, 0, 300, 300);
    placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[1].Bounds, Bounds(1, 2, 3, 4));

    // A stretched child keeps within its constraints.
    items[0].Constraints.MaxWidth = 60;
    area = Rect(0, 0, 200, 100);
    placed = ArrangeControls(area, items);
    EXPECT_EQ(placed[0].Bounds.Width(), 60);
}

TEST(AlignArithmetic, AlignmentImpliesAnchors) {
    EXPECT_EQ(AnchorsForAlign(alTop, {}), (TAnchors{akLeft, akTop, akRight}));
    EXPECT_EQ(AnchorsForAlign(alBottom, {}), (TAnchors{akLeft, akRight, akBottom}));
    EXPECT_EQ(AnchorsForAlign(alLeft, {}), (TAnchors{akLeft, akTop, akBottom}));
    EXPECT_EQ(AnchorsForAlign(alRight, {}), (TAnchors{akRight, akTop, akBottom}));
    EXPECT_EQ(AnchorsForAlign(alClient, {}), (TAnchors{akLeft, akTop, akRight, akBottom}));
    EXPECT_EQ(AnchorsForAlign(alNone, TAnchors{akRight}), TAnchors{akRight});
}
