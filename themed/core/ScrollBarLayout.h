// The arithmetic of the window-less list scroll bar: page size, clamping, the five zones along the bar, the
// steps of each zone and the position that dragging the thumb gives. Zones: 1 line back (arrow), 2 page back,
// 3 thumb, 4 page forward, 5 line forward (arrow); 0 none.
#pragma once
#include <array>

#include "classlib/core/Geometry.h"

namespace skin {

struct TScrollBarState {
    bool vertical = true;
    int width = 0, height = 0;
    int position = 0, range = 0;
    int window = 0;  // the visible part; 0 means the bar's own length
    int increment = 1;
};

int PageSize(const TScrollBarState& s);
// The bar is needed when the page does not show the whole range.
bool ScrollBarNeeded(const TScrollBarState& s);
// value clamped to [0, range - page size] (0 when the page is larger than the range).
int ClampScrollPosition(const TScrollBarState& s, int value);
// The position a step of zone makes (zones 1, 2, 4, 5), clamped; other zones keep the position.
int StepPosition(const TScrollBarState& s, int zone);

struct TScrollBarZones {
    std::array<TRect, 6> zone{};  // index 1-5; index 0 stays empty
    TRect disabledTrack{};
    int arrow = 0;
};
// The zones in the bar's own coordinates (origin at its top-left corner).
TScrollBarZones LayoutScrollBar(const TScrollBarState& s);
// The first zone that holds the point, 0 when none does.
int ZoneAt(const TScrollBarZones& z, TPoint p);

// The position when the thumb pressed at pressPosition has been dragged by delta pixels along the bar,
// clamped.
int DragThumbPosition(const TScrollBarState& s, const TScrollBarZones& z, int pressPosition, int delta);

// Rounding to the nearest integer, ties to even.
int RoundEven(double v);

}  // namespace skin
