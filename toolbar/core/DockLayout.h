// The layout of a dock: which row each docked window takes, where it sits along the row, how far windows that
// do not fit are shrunk or wrapped, how thick each row is and how thick the dock becomes. It is a pure function
// over plain records so that the dock (toolbar/win/TTBDock) and its tests share one piece of arithmetic.
//
// Sizes and positions "along" run horizontally on a top or bottom dock and vertically on a left or right dock;
// "across" is the other direction. Every window wishes a row (DockRow) and a position along it (DockPos); the
// layout turns the wishes into effective rows and positions:
//   - rows are closed up (0, 5 become 0, 1); a FullSize window, and the window that a drag inserts as a new
//     row, get a row of their own;
//   - a window that does not fit by the running minimum of its row wraps to a new row, unless it is the first
//     of its row or the dock holds one row only;
//   - an overflowing row shrinks its chevron windows (and a wrap window alone in its row) down to their
//     minimum sizes;
//   - a row is as thick as its thickest window's client plus the 4-pixel docked frame; the dock is as thick as
//     its rows together plus its bound lines, and 0 (1 with FixAlign) when it holds no visible window.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/core/Geometry.h"

enum TTBDockPosition : std::uint8_t { dpTop, dpBottom, dpLeft, dpRight };
enum TTBShrinkMode : std::uint8_t { tbsmNone, tbsmWrap, tbsmChevron };

// Dock type that a dockable window lays its contents out for.
enum TTBDockType : std::uint8_t { dtNotDocked = 0, dtFloating = 1, dtTopBottom = 2, dtLeftRight = 3 };

namespace tb {

inline bool IsVerticalDock(TTBDockPosition position) { return position == dpLeft || position == dpRight; }
inline TTBDockType DockTypeOf(TTBDockPosition position) { return IsVerticalDock(position) ? dtLeftRight : dtTopBottom; }

// One window of the dock's window list, as the layout needs it.
struct TDockLayoutWindow {
    std::int32_t DockRow = 0;
    std::int32_t DockPos = -1;
    bool VisibleChild = true;  // a visible child of the dock (others keep their wishes and are not placed)
    bool Destroying = false;   // left out altogether
    bool FullSize = false;
    bool Stretch = false;
    bool Dragging = false;        // the window a drag loop moves
    bool KeepPlace = false;       // the dragged window keeps its order among the windows it passes
    bool InsertAsNewRow = false;  // the dragged window opens a row of its own
    TTBShrinkMode ShrinkMode = tbsmNone;
    TSize BaseSize;                  // natural client size
    TSize DockedNCSize;              // docked non-client width and height
    std::int32_t MinShrinkSize = 0;  // along the dock, the window's smallest useful length
    TSize CurrentSize;               // present outer size (a shrunk wrap window keeps its client)
    std::int32_t ShrunkLength = 0;   // recorded by the previous layout, 0 = full size
};

struct TDockLayoutInput {
    TTBDockPosition Position = dpTop;
    TSize ClientSize;  // the dock's size less its bound lines
    TSize NCSize;      // the bound lines: width = left/right lines, height = top/bottom lines
    bool LimitToOneRow = false;
    bool FixAlign = false;
    std::vector<TDockLayoutWindow> Windows;  // in the order of the dock's window list
    // Lays a shrunk window's contents out (index into Windows, the granted length, 0 = full) and returns the
    // client size it needs then. Called only for a shrinkable window whose shrunk length changed.
    std::function<TSize(int index, std::int32_t shrunkLength)> OrderControls;
};

// What the layout decided for one window of the input list.
struct TDockLayoutPlace {
    bool Placed = false;  // a visible child that got bounds
    std::int32_t EffectiveRow = -1;
    std::int32_t EffectivePos = 0;
    std::int32_t Size = 0;          // granted length along the dock
    std::int32_t ShrunkLength = 0;  // 0 when the window got its full size
    std::int32_t Thickness = 0;     // client thickness across the dock
    bool NeedsArrange = false;      // the window re-ordered its contents and must arrange itself
    bool CanSplit = false;          // the dragged window shares an overflowing row
    TRect Bounds;                   // in the dock's client coordinates
};

struct TDockLayoutResult {
    bool Empty = false;                    // no visible child: the dock takes its empty thickness
    std::vector<int> SortedOrder;          // indices into Windows by (row, position), destroyed ones left out
    std::vector<TDockLayoutPlace> Places;  // parallel to the input's Windows
    std::vector<std::int32_t> RowThickness;
    std::int32_t DockThickness = 0;  // across the dock, bound lines included
};

// The whole layout. Raises EIntOverflow where sizes or positions leave the 32-bit range.
TDockLayoutResult ArrangeDock(const TDockLayoutInput& input);

// The dock's new bounds for a new size: a bottom dock keeps its bottom edge, a right dock its right edge,
// the others their top-left corner.
TRect ChangeDockSize(TTBDockPosition position, const TRect& bounds, std::int32_t newWidth, std::int32_t newHeight);

// The effective row whose end (rows walked from 0, non-empty rows adding their size) first passes offset, or
// the row after the last.
std::int32_t DesiredRowForOffset(const std::vector<std::int32_t>& rowSizes, std::int32_t offset);

}  // namespace tb
