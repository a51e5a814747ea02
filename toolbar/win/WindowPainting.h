// Painting helpers of toolbar windows: printing a window that does not answer WM_PRINT itself (menu
// animation captures popups this way), clipping non-client painting to its update region, and the dotted
// frame shown while a toolbar is dragged.
#pragma once
#include "classlib/core/Messages.h"
#include "classlib/win/Win32.h"

class TObject;

namespace tb {

// Paints the non-client area of window into dc (window coordinates).
using TNCPaintProc = void (*)(HWND window, HDC dc, TObject* control);

// Answers WM_PRINT (message.WParam the DC, message.LParam the PRF_ flags): with PRF_CHECKVISIBLE an
// invisible window prints nothing; PRF_NONCLIENT calls paintNC on a saved DC; PRF_CLIENT sends
// WM_ERASEBKGND (with PRF_ERASEBKGND) and WM_PRINTCLIENT with the origin moved to the client area;
// PRF_CHILDREN prints each visible child, and PRF_OWNED each visible window owned by this one, through
// WM_PRINT with flags 30 at its place and clipped to it.
void HandleWMPrint(HWND window, TMessage& message, TNCPaintProc paintNC, TObject* control);

// For WM_NCPAINT: region 0 or 1 (the whole window) leaves dc alone; otherwise region (screen coordinates)
// becomes the clip region, or the window rectangle when that fails, moved into window coordinates.
void SelectNCUpdateRgn(HWND window, HDC dc, HRGN region);

// Inverts the frame of newRect (the ring newSize wide and high inside it) through a halftone pattern,
// erasing the frame of oldRect in the same step; either may be null. Rectangles are in the DC's device
// coordinates (the screen DC that a drag draws on).
void DrawHalftoneInvertRect(HDC dc, const RECT* newRect, SIZE newSize, const RECT* oldRect, SIZE oldSize);

}  // namespace tb
