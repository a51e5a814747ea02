#include "toolbar/core/DockLayout.h"

#include <algorithm>
#include <map>

#include "classlib/core/Checked.h"

namespace tb {
namespace {

using i32 = std::int32_t;

i32 Add(i32 a, i32 b) { return CheckedAdd(a, b); }
i32 Sub(i32 a, i32 b) { return CheckedSub(a, b); }

i32 Along(TSize s, bool vertical) { return vertical ? s.cy : s.cx; }
i32 Across(TSize s, bool vertical) { return vertical ? s.cx : s.cy; }

// The working record of one window while the layout runs.
struct TWork {
    int Index = 0;  // into the input's Windows
    i32 Row = 0;
    bool Visible = false;  // its actual row is its row; else it has none
    i32 PrecedingSpace = 0;
    i32 FullSize = 0;
    i32 MinSize = 0;
    i32 Size = 0;
    i32 Overlap = 0;
    i32 Position = 0;
};

// Sorted copy of the live windows by (DockRow, DockPos); ties keep the list order so that equal wishes
// (DockPos -1 is the default) give the same layout every time. A dragged window in keep-place mode goes back
// to the index it had before the sort: it keeps its order among the windows whose positions it passed.
std::vector<int> SortedWindows(const std::vector<TDockLayoutWindow>& windows) {
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(windows.size()); ++i)
        if (!windows[i].Destroying) order.push_back(i);
    auto dragged = std::find_if(order.begin(), order.end(), [&](int i) { return windows[i].Dragging; });
    const auto draggedBefore = dragged - order.begin();
    const bool keepPlace = dragged != order.end() && windows[*dragged].KeepPlace;
    const int draggedIndex = dragged != order.end() ? *dragged : -1;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (windows[a].DockRow != windows[b].DockRow) return windows[a].DockRow < windows[b].DockRow;
        return windows[a].DockPos < windows[b].DockPos;
    });
    if (keepPlace) {
        auto now = std::find(order.begin(), order.end(), draggedIndex);
        order.erase(now);
        order.insert(order.begin() + draggedBefore, draggedIndex);
    }
    return order;
}

// The lowest row at or after `from` that some window is in; found is false (and the result 0) when there is none.
i32 NextUsedRow(const std::vector<TWork>& work, i32 from, bool& found) {
    found = false;
    i32 best = 0;
    for (const TWork& w : work)
        if (w.Row >= from && (!found || w.Row < best)) {
            best = w.Row;
            found = true;
        }
    return best;
}

// Gives `row` to the window alone: every other window in that row or a later one moves one row further.
void OwnRowsFor(std::vector<TWork>& work, const std::function<bool(const TWork&)>& qualifies) {
    bool found = false;
    for (i32 row = NextUsedRow(work, 0, found); found; row = NextUsedRow(work, Add(row, 1), found)) {
        for (TWork& w : work) {
            if (w.Row != row || !qualifies(w)) continue;
            const bool shared =
                std::any_of(work.begin(), work.end(), [&](const TWork& o) { return &o != &w && o.Row == row; });
            if (!shared) continue;
            for (TWork& o : work)
                if (&o != &w && o.Row >= row) o.Row = Add(o.Row, 1);
            break;  // the row now holds this window only
        }
    }
}

// Closes the gaps between used rows: rows 0, 5 become 0, 1.
void CloseEmptyRows(std::vector<TWork>& work) {
    std::map<i32, i32> renumber;
    for (const TWork& w : work) renumber[w.Row] = 0;
    i32 next = 0;
    for (auto& [row, to] : renumber) to = next++;
    for (TWork& w : work) w.Row = renumber[w.Row];
}

i32 HighestRow(const std::vector<TWork>& work) {
    i32 highest = -1;
    for (const TWork& w : work) highest = std::max(highest, w.Row);
    return highest;
}

struct TRowContext {
    const TDockLayoutInput& In;
    bool Vertical;
    i32 RowLength;
    int DraggedWork;  // index into work of the dragged window, -1 for none
};

// Lays out the windows of one row (indices into work, in sorted order) whose full sizes pass the row length
// by excess (negative: room to spare).
void PlaceRow(std::vector<TWork>& work, const std::vector<int>& row, const TRowContext& ctx,
              std::vector<TDockLayoutPlace>& places, i32 excess) {
    const auto& windows = ctx.In.Windows;
    auto isDragged = [&](int k) { return row[k] == ctx.DraggedWork; };
    const int count = static_cast<int>(row.size());

    // Place by wish.
    i32 current = 0, previousEnd = 0, runningMin = 0, draggedWish = 0;
    int draggedAt = -1;
    for (int k = 0; k < count; ++k) {
        TWork& w = work[row[k]];
        const TDockLayoutWindow& in = windows[w.Index];
        i32 wish = in.DockPos;
        if ((in.FullSize || in.Stretch) && current == 0) wish = 0;
        if (isDragged(k)) {
            draggedAt = k;
            draggedWish = wish;
        }
        wish = std::max(wish, runningMin);
        if (wish > current) {
            if (excess <= 0) {
                w.PrecedingSpace = Sub(wish, current);
                current = wish;
            }
        }
        if (wish < previousEnd) w.Overlap = Sub(previousEnd, wish);
        current = Add(current, w.Size);
        previousEnd = Add(wish, w.Size);
        runningMin = Add(runningMin, w.MinSize);
    }

    // A dragged window in a row with room to spare: the windows before it give back the space by which they
    // push it past its wish, out of their preceding spaces, nearest first; the window after it takes that
    // space, so the windows behind it keep their places.
    if (draggedAt >= 0 && excess < 0) {
        i32 start = 0;
        for (int k = 0; k < draggedAt; ++k) start = Add(start, Add(work[row[k]].PrecedingSpace, work[row[k]].Size));
        start = Add(start, work[row[draggedAt]].PrecedingSpace);
        i32 owed = std::max<i32>(0, Sub(start, draggedWish));
        i32 given = 0;
        for (int k = draggedAt - 1; k >= 0 && owed > 0; --k) {
            TWork& w = work[row[k]];
            const i32 take = std::min(owed, w.PrecedingSpace);
            w.PrecedingSpace -= take;
            owed -= take;
            given += take;
        }
        if (draggedAt + 1 < count)
            work[row[draggedAt + 1]].PrecedingSpace = Add(work[row[draggedAt + 1]].PrecedingSpace, given);
    }

    // Fit the row: what the last window's end passes the row length comes out of the preceding spaces, from the
    // last window backwards.
    {
        i32 end = 0;
        for (int k = 0; k < count; ++k) end = Add(end, Add(work[row[k]].PrecedingSpace, work[row[k]].Size));
        i32 over = Sub(end, ctx.RowLength);
        for (int k = count - 1; k >= 0 && over > 0; --k) {
            TWork& w = work[row[k]];
            const i32 take = std::min(over, w.PrecedingSpace);
            w.PrecedingSpace -= take;
            over -= take;
        }
    }

    if (excess > 0) {
        // (a) A window pushed into the one before it (its overlap) makes the chevron windows before it shrink,
        // the nearest first, never the dragged window or those before it.
        i32 accumulated = 0;
        for (int k = 0; k < count; ++k) {
            TWork& w = work[row[k]];
            if (isDragged(k) && count > 1) places[w.Index].CanSplit = true;
            accumulated = std::min(Add(accumulated, w.Overlap), excess);
            for (int j = k - 1; j >= 0 && accumulated > 0; --j) {
                if (isDragged(j)) break;
                TWork& o = work[row[j]];
                if (windows[o.Index].ShrinkMode != tbsmChevron) continue;
                const i32 give = std::min(accumulated, Sub(o.Size, o.MinSize));
                if (give <= 0) continue;
                o.Size -= give;
                excess -= give;
                accumulated -= give;
            }
        }
        // (b) Still too long: windows give up what lies above their minimum, from the last one backwards.
        for (int k = count - 1; k >= 0 && excess > 0; --k) {
            TWork& w = work[row[k]];
            const TTBShrinkMode mode = windows[w.Index].ShrinkMode;
            if (mode != tbsmChevron && !(mode == tbsmWrap && count == 1)) continue;
            const i32 give = std::min(excess, std::max<i32>(0, Sub(w.Size, w.MinSize)));
            w.Size -= give;
            excess -= give;
        }
    }

    // Final placement.
    i32 position = 0;
    for (int k = 0; k < count; ++k) {
        TWork& w = work[row[k]];
        const TDockLayoutWindow& in = windows[w.Index];
        if (in.FullSize || in.Stretch) {
            w.Size = Add(w.Size, w.PrecedingSpace);
            w.PrecedingSpace = 0;
        }
        position = Add(position, w.PrecedingSpace);
        if (in.FullSize) w.Size = std::max(w.Size, ctx.RowLength);
        if (in.Stretch) {
            if (k + 1 < count) {
                TWork& next = work[row[k + 1]];
                w.Size = Add(w.Size, next.PrecedingSpace);
                next.PrecedingSpace = 0;
            } else {
                w.Size = std::max(w.Size, Sub(ctx.RowLength, position));
            }
        }
        w.Position = position;
        position = Add(position, w.Size);
    }
}

}  // namespace

TDockLayoutResult ArrangeDock(const TDockLayoutInput& input) {
    TDockLayoutResult result;
    const auto& windows = input.Windows;
    const bool vertical = IsVerticalDock(input.Position);
    result.Places.resize(windows.size());

    const bool anyVisible = std::any_of(windows.begin(), windows.end(),
                                        [](const TDockLayoutWindow& w) { return w.VisibleChild && !w.Destroying; });
    if (!anyVisible) {
        result.Empty = true;
        result.DockThickness = input.FixAlign ? 1 : 0;
        return result;
    }

    result.SortedOrder = SortedWindows(windows);
    std::vector<TWork> work;
    int draggedWork = -1;
    for (int i : result.SortedOrder) {
        TWork w;
        w.Index = i;
        // A negative row (only code can set one) counts as the first row rather than leaving the window unplaced.
        w.Row = input.LimitToOneRow ? 0 : std::max<i32>(0, windows[i].DockRow);
        w.Visible = windows[i].VisibleChild;
        w.Position = windows[i].DockPos;
        if (windows[i].Dragging && draggedWork < 0) draggedWork = static_cast<int>(work.size());
        work.push_back(w);
    }

    // Rows of their own: first the window a drag inserts as a new row, then every FullSize window. A dock
    // limited to one row keeps everything in row 0.
    if (!input.LimitToOneRow) {
        OwnRowsFor(work, [&](const TWork& w) { return windows[w.Index].InsertAsNewRow; });
        OwnRowsFor(work, [&](const TWork& w) { return windows[w.Index].FullSize; });
    }
    CloseEmptyRows(work);

    const i32 clientLength = std::max<i32>(0, Along(input.ClientSize, vertical));
    const TRowContext ctx{input, vertical, clientLength, draggedWork};
    for (i32 r = 0; r <= HighestRow(work); ++r) {
        // Which windows stay in this row: a window that does not fit by the running minimum wraps to the next
        // row together with every later one, unless it is the first of its row or the dock has one row.
        std::vector<int> row;
        i32 runningMin = 0, sumFull = 0;
        for (int k = 0; k < static_cast<int>(work.size()); ++k) {
            TWork& w = work[k];
            if (!w.Visible || w.Row != r) continue;
            const TDockLayoutWindow& in = windows[w.Index];
            w.FullSize = Add(Along(in.BaseSize, vertical), Along(in.DockedNCSize, vertical));
            w.Size = w.FullSize;
            w.MinSize = std::min(in.MinShrinkSize, w.FullSize);
            w.PrecedingSpace = 0;
            w.Overlap = 0;
            runningMin = Add(runningMin, in.ShrinkMode == tbsmChevron ? w.MinSize : w.FullSize);
            if (!row.empty() && runningMin > clientLength && !input.LimitToOneRow) {
                for (int later = k; later < static_cast<int>(work.size()); ++later)
                    if (work[later].Row >= r) work[later].Row = Add(work[later].Row, 1);
                break;
            }
            sumFull = Add(sumFull, w.Size);
            row.push_back(k);
        }
        PlaceRow(work, row, ctx, result.Places, Sub(sumFull, clientLength));
    }

    // Effective rows and positions; windows that are not visible children keep their wishes.
    for (const TWork& w : work) {
        TDockLayoutPlace& p = result.Places[w.Index];
        p.EffectiveRow = w.Visible ? w.Row : -1;
        p.EffectivePos = w.Position;
        p.Size = w.Size;
    }

    // Thickness of every row, then the bounds, row after row across the dock.
    const i32 highest = HighestRow(work);
    i32 offset = 0;
    for (i32 r = 0; r <= highest; ++r) {
        i32 thickest = -1;
        std::vector<const TWork*> members;
        for (const TWork& w : work) {
            if (!w.Visible || w.Row != r) continue;
            members.push_back(&w);
            const TDockLayoutWindow& in = windows[w.Index];
            TDockLayoutPlace& p = result.Places[w.Index];
            p.ShrunkLength = w.Size == w.FullSize ? 0 : w.Size;
            TSize client = in.BaseSize;
            if (in.ShrinkMode != tbsmNone && p.ShrunkLength != in.ShrunkLength) {
                if (input.OrderControls) client = input.OrderControls(w.Index, p.ShrunkLength);
                p.NeedsArrange = true;
            } else if (in.ShrinkMode == tbsmWrap && w.Size < w.FullSize) {
                client = TSize{Sub(in.CurrentSize.cx, in.DockedNCSize.cx), Sub(in.CurrentSize.cy, in.DockedNCSize.cy)};
            }
            p.Thickness = Across(client, vertical);
            thickest = std::max(thickest, p.Thickness);
        }
        const i32 thickness = members.empty() ? 0 : Add(thickest, 4);
        for (const TWork* w : members) {
            TDockLayoutPlace& p = result.Places[w->Index];
            p.Placed = true;
            p.Bounds = vertical ? Bounds(offset, w->Position, thickness, w->Size)
                                : Bounds(w->Position, offset, w->Size, thickness);
        }
        result.RowThickness.push_back(thickness);
        offset = Add(offset, thickness);
    }
    result.DockThickness = Add(Across(input.NCSize, vertical), offset);
    return result;
}

TRect ChangeDockSize(TTBDockPosition position, const TRect& bounds, std::int32_t newWidth, std::int32_t newHeight) {
    TRect r = Bounds(bounds.Left, bounds.Top, newWidth, newHeight);
    if (position == dpBottom) r = Bounds(bounds.Left, Sub(bounds.Bottom, newHeight), newWidth, newHeight);
    if (position == dpRight) r = Bounds(Sub(bounds.Right, newWidth), bounds.Top, newWidth, newHeight);
    return r;
}

std::int32_t DesiredRowForOffset(const std::vector<std::int32_t>& rowSizes, std::int32_t offset) {
    i32 end = 0;
    for (i32 r = 0; r < static_cast<i32>(rowSizes.size()); ++r) {
        if (rowSizes[r] <= 0) continue;
        end = Add(end, rowSizes[r]);
        if (end > offset) return r;
    }
    return static_cast<i32>(rowSizes.size());
}

}  // namespace tb
