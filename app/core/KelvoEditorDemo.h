// The decisions behind the image editor's demonstration commands: reading a script line's parameters, and how
// far the main window grows so that a demonstration has the room it was recorded with. The window glue
// (TKelvoGraphicsEditor) only measures and applies.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoProperties.h"

// A script line's parameter at index (the parameters are keyed 0, 1, 2 ...): as a number (an integer or a
// double), or as text; false for a value of the other kind or a missing one.
bool DemoParamNumber(const TKelvoProperties& params, std::int32_t index, double& value);
bool DemoParamText(const TKelvoProperties& params, std::int32_t index, AnsiString& value);

// A width and a height given as exactly the two parameters of a line, both numbers. Fractions are cut; values
// beyond the int32 range are held at its ends, so a careless script cannot wrap a size into a negative one.
bool DemoSizeParams(const TKelvoProperties& params, std::int32_t& width, std::int32_t& height);

struct TKelvoWindowBounds {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    bool operator==(const TKelvoWindowBounds&) const = default;
};

// SETMINWINDOWSIZE: a window narrower than width becomes that wide, centred across the work area; the same for
// the height. A size beyond the work area is cut to it: a window larger than the screen cannot be shown whole.
TKelvoWindowBounds GrowWindowToMinimum(TKelvoWindowBounds window, const TKelvoRect& workArea, std::int32_t width,
                                       std::int32_t height);

// SETMINVIEWSIZE: the window grows by what the view (viewWidth x viewHeight now) lacks of width x height; a
// window sticking out of the work area then moves to its left (top) edge and is cut to its width (height).
TKelvoWindowBounds GrowWindowForView(TKelvoWindowBounds window, std::int32_t viewWidth, std::int32_t viewHeight,
                                     const TKelvoRect& workArea, std::int32_t width, std::int32_t height);
