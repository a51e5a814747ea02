// Where the parts of a demonstration balloon go: a rounded body around the text and a triangular tail whose
// tip touches the point the balloon speaks about. Corners: 1 tail up-left, 2 up-right (the balloon below the
// point), 3 down-left, 4 down-right (the balloon above it).
#pragma once
#include <array>
#include <cstdint>

#include "classlib/core/Geometry.h"

struct TKelvoBalloonLayout {
    std::int32_t Corner = 1;
    // Window coordinates: the body's rounded rectangle (16 x 16 corner ellipses), the tail's triangle (tip in
    // the middle), the rectangle the text is drawn in.
    TRect Body;
    std::array<TPoint, 3> Tail;
    TRect Text;
    // Screen coordinates of the window.
    TRect Window;

    TPoint Tip() const { return Tail[1]; }
};

// The corner that turns the balloon toward the middle of the monitor: down when the point is in its upper
// half, left when it is right of the middle.
std::int32_t AutomaticBalloonCorner(TPoint at, const TRect& monitor);

// The balloon for a text measured as text (the hint window's measure, at most 350 pixels wide) with its tip on
// at. corner 0 is automatic, 1 to 4 as above (anything else is automatic). A balloon that would leave the
// monitor at that corner turns to the mirrored corner when that keeps more of it on the monitor, so that the
// tip still touches the point.
TKelvoBalloonLayout LayoutBalloon(TSize text, TPoint at, std::int32_t corner, const TRect& monitor);
