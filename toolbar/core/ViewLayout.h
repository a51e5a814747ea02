// The layout pass of a view: which item viewers are shown, where each one goes, and how big the view is.
// The view measures its viewers (that needs a canvas) and hands the sizes and flags over; this function
// does the rest over plain data, so that every rule is tested natively:
//   - separator pruning: never a separator first, last or right after another shown one;
//   - the chevron: when the items do not fit before the chevron's place, the lowest-priority ones go behind
//     it (trailing separators first), keeping at least two shown items that are not separators;
//   - lines: toolbar-sized items run along the line, all others stack downwards as rows as wide as the
//     view (menus); with a wrap
//     offset an item that would pass it starts a new line, and a separator whose following group no longer
//     fits becomes a line separator, a break 6 pixels thick;
//   - toolbar lines centre their items across the line (separators and stretch items take its full
//     thickness) and push right-aligned items to the end of the line;
//   - a menu taller than its maximum height scrolls: items under the 19-pixel arrows are clipped.
// A vertical view is laid out along its height: the pass runs transposed (widths and heights swapped) and
// the finished positions are mirrored back across the diagonal, so wrapped columns grow to the right.
#pragma once
#include <vector>

#include "classlib/core/Geometry.h"

namespace tb {

enum class TTBViewOrientation { Horizontal, Vertical, Floating };

// Height of a menu scroll arrow zone, at the top and at the bottom.
constexpr int kMenuScrollArrowHeight = 19;
// Thickness of the break a line separator makes between two wrapped lines.
constexpr int kLineSeparatorThickness = 6;

// One viewer as the view measured it.
struct TLayoutItem {
    int width = 0;
    int height = 0;
    // Whether the viewer would be shown apart from separator pruning (its item is visible, its control lies
    // in the view's window, it is not an embedded group, ...). The chevron's own viewer sets chevron instead.
    bool candidate = true;
    bool separator = false;
    bool control = false;  // a control item: never counts for enabling the chevron
    bool toolbarSize = false;
    bool rightAlign = false;
    bool stretch = false;
    bool sameWidth = false;  // UsesSameWidth: takes the largest width among such viewers
    bool chevron = false;
};

struct TLayoutInput {
    TTBViewOrientation orientation = TTBViewOrientation::Horizontal;
    bool isToolbar = false;
    TRect margins;       // Left, Top, Right, Bottom widths
    TPoint baseSize;     // the least size of the view
    int wrapOffset = 0;  // 0: no wrapping
    // Where the chevron starts along the view (the caller gives its client length less the chevron's size,
    // so that the shown items end before the chevron and the chevron ends at the client's edge); 0: none.
    int chevronOffset = 0;
    int chevronSize = 0;
    int maxHeight = 0;  // a menu's largest height; 0: unlimited
    int scrollOffset = 0;
    // Viewer indices in chevron priority order, front = hidden last. Empty: the viewers in order.
    std::vector<int> priority;
};

struct TLayoutViewer {
    TRect bounds;
    bool shown = false;
    bool offEdge = false;  // hidden behind the chevron
    bool clipped = false;  // hidden by menu scrolling
    bool lineSeparator = false;
    friend bool operator==(const TLayoutViewer&, const TLayoutViewer&) = default;
};

struct TLayoutResult {
    std::vector<TLayoutViewer> viewers;
    TPoint size;
    bool chevronUsed = false;
    bool chevronEnabled = false;  // at least one item that is not a control went behind the chevron
    int scrollOffset = 0;         // limited to 0..(height - maxHeight)
    bool upArrow = false;
    bool downArrow = false;
};

// The floating view's margins; every other view has none.
TRect ViewMargins(TTBViewOrientation orientation);

// Which candidates are shown after separator pruning (the chevron's viewer is never among them).
std::vector<bool> PruneSeparators(const std::vector<TLayoutItem>& items, std::vector<bool> shown);

TLayoutResult LayoutView(const TLayoutInput& input, const std::vector<TLayoutItem>& items);

// Whether any viewer's bounds, shown flag or line-separator flag differs (a different count differs).
bool LayoutChanged(const std::vector<TLayoutViewer>& before, const std::vector<TLayoutViewer>& after);

// The next viewer that keyboard navigation selects: from "from" (-1: from the start going forward, from
// the end going backward) one step at a time with wrap-around; -1 after a full circle without one.
int NextSelectable(const std::vector<bool>& selectable, int from, bool forward);

}  // namespace tb
