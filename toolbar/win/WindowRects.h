// Conversions between the library's rectangles and points and the system's, for the toolbar's window code.
#pragma once
#include "classlib/core/Geometry.h"
#include "classlib/win/Win32.h"

namespace tb {

inline RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect FromRECT(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }

// The window's rectangle on the screen, frame included.
inline TRect ScreenRectOf(HWND wnd) {
    RECT r;
    ::GetWindowRect(wnd, &r);
    return FromRECT(r);
}

// The point packed in a mouse message's lParam (signed, as on a second monitor left of the first).
inline TPoint PointOfLParam(LPARAM lParam) {
    return TPoint{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace tb
