// The one way themed windows paint their frames: the window DC (or the DC a WM_PRINT passes), clipped to
// the update region of WM_NCPAINT and with the client area cut out, handed to a painter with the whole
// window's rectangle in window coordinates.
#pragma once
#include <optional>

#include "classlib/core/Geometry.h"
#include "classlib/win/Win32.h"
#include "classlib/win/WindowDC.h"

namespace skin {

// The client area in window coordinates.
TRect ClientRectInWindow(HWND window);
// Selects the update region (not when printing), cuts out the client area; returns the window's rectangle
// in window coordinates.
TRect ClipToFrame(HWND window, HDC dc, HRGN clip, bool drawToDC);

// painter(dc, whole): with drawToDC dc is used as given (printing), else the window's own DC clipped to
// clip (a WM_NCPAINT region; 0 or 1 for all).
template <class Painter>
void PaintFrame(HWND window, bool drawToDC, HDC dc, HRGN clip, Painter&& painter) {
    if (!window) return;
    std::optional<TWindowDC> own;
    if (!drawToDC) {
        own.emplace(window, true);
        dc = own->Get();
    }
    if (!dc) return;
    const int saved = ::SaveDC(dc);
    const TRect whole = ClipToFrame(window, dc, clip, drawToDC);
    painter(dc, whole);
    ::RestoreDC(dc, saved);
}

}  // namespace skin
