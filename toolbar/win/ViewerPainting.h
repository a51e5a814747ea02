// The drawing pieces of the classic look of toolbar buttons, menu rows, separators, the chevron and popup
// frames. Each draws into a device context in its current coordinates.
#pragma once
#include "classlib/core/Geometry.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/Win32.h"
#include "toolbar/win/WindowRects.h"

namespace tb {

inline void InflateRectBy(TRect& r, int d) { r = TRect{r.Left - d, r.Top - d, r.Right + d, r.Bottom + d}; }
inline void OffsetRectBy(TRect& r, int dx, int dy) { r = TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// A toolbar button's parts: a split (combo) button has its arrow part, the 9 pixels ending 2 before the
// right edge; an unsplit drop-down button has its arrow inside, 8 pixels ending 3 before the right edge
// (3 above the bottom in a vertical view). Without an arrow, arrow is empty.
struct TToolbarButtonParts {
    TRect button;
    TRect arrow;
};
TToolbarButtonParts ToolbarButtonParts(const TRect& client, bool combo, bool hasArrow, bool vertical);

void DrawEdgeRect(HDC dc, const TRect& r, UINT edge, UINT flags);
// The 8 x 8 checkerboard of the button face and highlight colours that fills a checked button.
void FillCheckedPattern(HDC dc, const TRect& r);
// The drop-down triangle in the DC's text colour, centred in r: pointing down (5 x 3), or pointing left
// (3 x 5) with pointLeft; with the disabled shadow embossed in the highlight and shadow colours.
void DrawDropArrow(HDC dc, const TRect& r, bool pointLeft, bool disabledShadow);
// The system's submenu arrow glyph in the given colour, filling r.
void DrawMenuArrow(HDC dc, const TRect& r, COLORREF color);
void DrawCheckMark(HDC dc, TPoint centre);
void DrawRadioMark(HDC dc, TPoint centre);

struct TSeparatorLine {
    bool vertical = false;
    int shorten = 0;  // pixels left out at each end
};
TSeparatorLine SeparatorLineFor(bool toolbarStyle, bool horizontalView, bool lineSeparator, bool floating);
// One etched line through the middle of r.
void DrawSeparatorLine(HDC dc, const TRect& r, TSeparatorLine line);

// The chevron's double arrow (along a horizontal toolbar, downwards for a vertical one) in r.
void DrawChevronGlyph(HDC dc, const TRect& r, bool vertical, bool enabled);

// A popup window's frame in window coordinates: a raised edge and a face line, or with flat menus a
// shadow line and two lines of the window's colour.
void DrawPopupFrame(HDC dc, const TRect& windowRect, bool flatMenus, COLORREF windowColor);
// The scroll arrows of a menu taller than its window: 7 x 4 triangles centred in the top and bottom
// 19 pixels of the client area.
void DrawScrollArrows(HDC dc, const TRect& client, bool up, bool down);

}  // namespace tb
