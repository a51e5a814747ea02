// How a toolbar fits the room it gets: the offsets at which its view wraps into more lines or puts items
// behind the chevron, and the distinct sizes a floating toolbar can take while its border is dragged.
//
// The chevron offset follows the view layout's convention (toolbar/core/ViewLayout.h): it is where the
// chevron starts, so the shown items end before it and the chevron ends at the client's edge.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/core/Geometry.h"
#include "toolbar/core/DockLayout.h"

namespace tb {

// The chevron button's length along the toolbar.
constexpr int kChevronSize = 12;

// Length at which a docked toolbar's lines wrap: in wrap mode the dock's client length (along the dock) less
// the toolbar's docked non-client length; 0 in the other modes.
int DockWrapOffset(TTBShrinkMode mode, bool verticalDock, TSize dockSize, TSize dockNCSize, TSize toolbarNCSize);

// Where a docked toolbar's chevron starts: in chevron mode on its current dock, when the dock layout shrank
// it to shrunkLength (outer length), that length less the non-client length and the chevron; 0 otherwise.
int DockChevronOffset(TTBShrinkMode mode, bool onCurrentDock, int shrunkLength, int ncLength);

// The offsets of a toolbar that is neither docked nor floating: its own client length when it keeps its
// width (AutoResize off, or anchored left and right), in the way its mode says; else none.
struct TToolbarOffsets {
    int wrap = 0;
    int chevron = 0;
};
TToolbarOffsets FreeToolbarOffsets(TTBShrinkMode mode, bool keepsWidth, int clientLength);

// The least length a chevron-mode toolbar shrinks to: its first-priority button, the non-client length and
// the chevron.
int ToolbarMinShrinkSize(int topPriorityLength, int ncLength);

// One floating size: the view's width and height (16 bits each).
struct TFloatingSize {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    friend bool operator==(const TFloatingSize&, const TFloatingSize&) = default;
};

// What the toolbar measures at a floating wrap width.
struct TFloatingMeasure {
    int width = 0;
    int height = 0;
    int lines = 0;
};

// Every floating size at which the wrapped layout differs, widest first: the unwrapped size (wrap width 0),
// then for each narrower wrap width down to smallestWidth the measured size, a later size with as many lines
// as the one before it replacing that one. Stops when a wrap width is narrower than what it measures.
// Raises ERangeError for a size that does not fit 16 bits.
std::vector<TFloatingSize> CollectFloatingSizes(int smallestWidth,
                                                const std::function<TFloatingMeasure(int wrapWidth)>& measure);

// Sorts by width (left and right borders) or by height (top and bottom borders), ascending.
void SortFloatingSizes(std::vector<TFloatingSize>& sizes, bool byHeight);

// The index of the entry of lengths nearest to length (the first of equally near ones; 0 for an empty list).
std::size_t NearestLength(const std::vector<int>& lengths, int length);

// The step threshold of a floating resize: the smallest gap between the current length along the dragged axis
// and the neighbours of its nearest entry in the ascending lengths, less 1, within 0..12.
int FloatingStepThreshold(const std::vector<int>& sortedLengths, int currentLength);

// The entry a floating resize in steps takes when the pointer has made the frame's length along the dragged
// axis `length`, from entry `current` of the ascending lengths: growing goes forward, shrinking backward, to
// the furthest entry the pointer has passed, where coming within the threshold of an entry counts as passing it.
int FloatingStep(const std::vector<int>& lengths, int current, int length, int threshold);

}  // namespace tb
