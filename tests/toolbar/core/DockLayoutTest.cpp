#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"
#include "toolbar/core/DockLayout.h"

namespace {

// A docked window of a top dock: the 4-pixel frame plus a 6-pixel single drag handle along the dock.
tb::TDockLayoutWindow Win(std::int32_t row, std::int32_t pos, std::int32_t length, std::int32_t thickness = 20) {
    tb::TDockLayoutWindow w;
    w.DockRow = row;
    w.DockPos = pos;
    w.BaseSize = TSize{length - 10, thickness};
    w.DockedNCSize = TSize{10, 4};
    return w;
}

tb::TDockLayoutInput Dock(std::int32_t length, std::vector<tb::TDockLayoutWindow> windows, TTBDockPosition p = dpTop) {
    tb::TDockLayoutInput in;
    in.Position = p;
    in.ClientSize = tb::IsVerticalDock(p) ? TSize{0, length} : TSize{length, 0};
    in.Windows = std::move(windows);
    return in;
}

struct Placed {
    std::int32_t Row, Pos, Size;
    friend bool operator==(const Placed&, const Placed&) = default;
};
std::vector<Placed> Places(const tb::TDockLayoutResult& r) {
    std::vector<Placed> out;
    for (const auto& p : r.Places) out.push_back({p.EffectiveRow, p.EffectivePos, p.Size});
    return out;
}
void PrintTo(const Placed& p, std::ostream* os) {
    *os << "{row " << p.Row << ", pos " << p.Pos << ", size " << p.Size << "}";
}

}  // namespace

TEST(DockLayout, EmptyDockIsZeroThickOrOneWithFixAlign) {
    tb::TDockLayoutInput in = Dock(200, {Win(0, 0, 50)});
    in.Windows[0].VisibleChild = false;  // a hidden window does not hold the dock open
    in.NCSize = TSize{0, 2};
    auto r = tb::ArrangeDock(in);
    EXPECT_TRUE(r.Empty);
    EXPECT_EQ(r.DockThickness, 0);
    in.FixAlign = true;
    EXPECT_EQ(tb::ArrangeDock(in).DockThickness, 1);
}

TEST(DockLayout, DockThicknessIsTheSumOfRowsPlusBoundLines) {
    tb::TDockLayoutInput in = Dock(400, {Win(0, 0, 50, 20), Win(0, 60, 50, 30), Win(1, 0, 80, 16)});
    in.NCSize = TSize{0, 2};
    auto r = tb::ArrangeDock(in);
    EXPECT_EQ(r.RowThickness, (std::vector<std::int32_t>{34, 20}));
    EXPECT_EQ(r.DockThickness, 2 + 34 + 20);
    // Every window of a row is as thick as the row, one row below the other.
    EXPECT_EQ(r.Places[0].Bounds, Bounds(0, 0, 50, 34));
    EXPECT_EQ(r.Places[1].Bounds, Bounds(60, 0, 50, 34));
    EXPECT_EQ(r.Places[2].Bounds, Bounds(0, 34, 80, 20));
}

TEST(DockLayout, RowsAndPositionsFromTheWishes) {
    struct Case {
        const char* name;
        tb::TDockLayoutInput in;
        std::vector<Placed> want;
    };
    auto fullSize = [](tb::TDockLayoutWindow w) {
        w.FullSize = true;
        return w;
    };
    auto stretch = [](tb::TDockLayoutWindow w) {
        w.Stretch = true;
        return w;
    };
    std::vector<Case> cases = {
        {"rows with gaps are closed up", Dock(400, {Win(0, 0, 50), Win(5, 0, 50)}), {{0, 0, 50}, {1, 0, 50}}},
        {"wishes leave gaps", Dock(400, {Win(0, 0, 20), Win(0, 40, 20)}), {{0, 0, 20}, {0, 40, 20}}},
        {"a position past the end is pulled back", Dock(100, {Win(0, 200, 50)}), {{0, 50, 50}}},
        {"a window that does not fit wraps, later rows move down",
         Dock(100, {Win(0, 0, 60), Win(0, 10, 60), Win(1, 0, 30)}),
         {{0, 0, 60}, {1, 10, 60}, {2, 0, 30}}},
        {"a window alone in its row never wraps", Dock(100, {Win(0, 0, 300)}), {{0, 0, 300}}},
        {"a FullSize window keeps its row, the other moves on",
         Dock(200, {Win(0, 0, 50), fullSize(Win(0, 100, 60))}),
         {{1, 0, 50}, {0, 0, 200}}},
        {"a Stretch window takes the space before it and reaches the end of its row",
         Dock(200, {Win(0, 0, 50), stretch(Win(0, 60, 40))}),
         {{0, 0, 50}, {0, 50, 150}}},
        {"equal wishes keep the list order", Dock(400, {Win(0, -1, 30), Win(0, -1, 40)}), {{0, 0, 30}, {0, 30, 40}}},
        {"a negative row counts as the first", Dock(400, {Win(-3, 0, 30), Win(0, 50, 40)}), {{0, 0, 30}, {0, 50, 40}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Places(tb::ArrangeDock(c.in)), c.want) << c.name;
}

TEST(DockLayout, OneRowDockShrinksChevronWindowsFromTheLast) {
    tb::TDockLayoutInput in = Dock(120, {Win(0, 0, 50), Win(1, 50, 50), Win(2, 100, 50)});
    in.LimitToOneRow = true;
    for (auto& w : in.Windows) {
        w.ShrinkMode = tbsmChevron;
        w.MinShrinkSize = 20;
    }
    std::vector<std::pair<int, std::int32_t>> ordered;
    in.OrderControls = [&](int index, std::int32_t shrunk) {
        ordered.push_back({index, shrunk});
        return TSize{10, 18};
    };
    auto r = tb::ArrangeDock(in);
    EXPECT_EQ(Places(r), (std::vector<Placed>{{0, 0, 50}, {0, 50, 50}, {0, 100, 20}}));
    // Only the shrunk window lays its contents out again, and its new client sets the row's thickness.
    EXPECT_EQ(ordered, (std::vector<std::pair<int, std::int32_t>>{{2, 20}}));
    EXPECT_TRUE(r.Places[2].NeedsArrange);
    EXPECT_FALSE(r.Places[0].NeedsArrange);
    EXPECT_EQ(r.RowThickness, std::vector<std::int32_t>{24});

    // Windows pushed into the ones before them (all wish 0) shrink the nearest chevron window before them.
    for (auto& w : in.Windows) w.DockPos = 0;
    EXPECT_EQ(Places(tb::ArrangeDock(in)), (std::vector<Placed>{{0, 0, 20}, {0, 20, 50}, {0, 70, 50}}));
}

TEST(DockLayout, AWrapWindowAloneInItsRowShrinksToItsMinimum) {
    tb::TDockLayoutInput in = Dock(100, {Win(0, 0, 160)});
    in.Windows[0].ShrinkMode = tbsmWrap;
    in.Windows[0].MinShrinkSize = 70;
    in.OrderControls = [](int, std::int32_t) { return TSize{60, 44}; };
    auto r = tb::ArrangeDock(in);
    EXPECT_EQ(r.Places[0].Size, 100);
    EXPECT_EQ(r.Places[0].ShrunkLength, 100);
    EXPECT_EQ(r.RowThickness, std::vector<std::int32_t>{48});
}

TEST(DockLayout, DraggedWindowTakesItsWishAndTheWindowsBehindStay) {
    // A (wish 20) pushes the dragged B (wish 30) to 50; A gives its 20 pixels of space back and C, behind B,
    // keeps its place at 90.
    tb::TDockLayoutInput in = Dock(200, {Win(0, 20, 30), Win(0, 30, 30), Win(0, 90, 30)});
    in.Windows[1].Dragging = true;
    EXPECT_EQ(Places(tb::ArrangeDock(in)), (std::vector<Placed>{{0, 0, 30}, {0, 30, 30}, {0, 90, 30}}));
}

TEST(DockLayout, KeepPlaceDragKeepsTheOrder) {
    // The dragged window's wish has passed its neighbour's, but in keep-place mode it stays first.
    tb::TDockLayoutInput in = Dock(400, {Win(0, 45, 40), Win(0, 40, 40)});
    in.Windows[0].Dragging = true;
    in.Windows[0].KeepPlace = true;
    auto r = tb::ArrangeDock(in);
    EXPECT_EQ(r.SortedOrder, (std::vector<int>{0, 1}));
    EXPECT_LT(r.Places[0].EffectivePos, r.Places[1].EffectivePos);
    in.Windows[0].KeepPlace = false;
    EXPECT_EQ(tb::ArrangeDock(in).SortedOrder, (std::vector<int>{1, 0}));
}

TEST(DockLayout, InsertAsNewRowOpensARowBeforeTheOthers) {
    tb::TDockLayoutInput in = Dock(400, {Win(0, 0, 40), Win(0, 100, 40), Win(1, 0, 40)});
    in.Windows[1].Dragging = true;
    in.Windows[1].InsertAsNewRow = true;
    EXPECT_EQ(Places(tb::ArrangeDock(in)), (std::vector<Placed>{{1, 0, 40}, {0, 100, 40}, {2, 0, 40}}));
}

TEST(DockLayout, DraggedWindowInAnOverflowingRowCanSplit) {
    tb::TDockLayoutInput in = Dock(100, {Win(0, 0, 60), Win(0, 60, 60)});
    in.LimitToOneRow = true;
    in.Windows[1].Dragging = true;
    EXPECT_TRUE(tb::ArrangeDock(in).Places[1].CanSplit);
    in.ClientSize.cx = 200;
    EXPECT_FALSE(tb::ArrangeDock(in).Places[1].CanSplit);
}

TEST(DockLayout, SideDockRunsDown) {
    tb::TDockLayoutWindow w = Win(0, 30, 0);
    w.BaseSize = TSize{22, 50};
    w.DockedNCSize = TSize{4, 10};
    tb::TDockLayoutInput in = Dock(300, {w, w}, dpLeft);
    in.Windows[1].DockRow = 1;
    auto r = tb::ArrangeDock(in);
    EXPECT_EQ(r.Places[0].Bounds, Bounds(0, 30, 26, 60));
    EXPECT_EQ(r.Places[1].Bounds, Bounds(26, 30, 26, 60));
    EXPECT_EQ(r.DockThickness, 52);
}

TEST(DockLayout, DestroyedWindowsAreLeftOut) {
    tb::TDockLayoutInput in = Dock(400, {Win(0, 0, 40), Win(0, 0, 40)});
    in.Windows[0].Destroying = true;
    auto r = tb::ArrangeDock(in);
    EXPECT_EQ(r.SortedOrder, std::vector<int>{1});
    EXPECT_FALSE(r.Places[0].Placed);
    EXPECT_EQ(r.Places[1].EffectivePos, 0);
}

TEST(DockLayout, OverflowingSizesRaise) {
    tb::TDockLayoutInput in = Dock(100, {Win(0, 0, 40), Win(0, INT32_MAX - 10, 40)});
    EXPECT_THROW(tb::ArrangeDock(in), EIntOverflow);
}

TEST(DockLayout, BottomAndRightDocksKeepTheirOuterEdge) {
    const TRect r = Rect(0, 300, 400, 320);
    EXPECT_EQ(tb::ChangeDockSize(dpBottom, r, 400, 50), Rect(0, 270, 400, 320));
    EXPECT_EQ(tb::ChangeDockSize(dpTop, r, 400, 50), Rect(0, 300, 400, 350));
    EXPECT_EQ(tb::ChangeDockSize(dpRight, Rect(370, 0, 400, 300), 50, 300), Rect(350, 0, 400, 300));
}

TEST(DockLayout, DesiredRowWalksNonEmptyRows) {
    const std::vector<std::int32_t> rows = {24, 0, 30};
    EXPECT_EQ(tb::DesiredRowForOffset(rows, 0), 0);
    EXPECT_EQ(tb::DesiredRowForOffset(rows, 23), 0);
    EXPECT_EQ(tb::DesiredRowForOffset(rows, 24), 2);
    EXPECT_EQ(tb::DesiredRowForOffset(rows, 54), 3);
}
