// The decisions of themed toolbars, docks and floating frames that need no window: view margins, the
// background rules, close-button states and the edge snapping of floating frames.
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "classlib/core/TColor.h"
#include "themed/core/DefaultThemeRules.h"
#include "themed/core/SkinItemInfo.h"

namespace skin {

// The view type the theme's view margins are asked for: the floating flag only while floating, and only
// for toolbars (0x100) and dockable panels (0x400); every other view type as it is without the flag.
std::int32_t MarginsViewType(std::int32_t viewType, bool floating);
// The theme's margins (left, top, right, bottom) as the view's margins: each side to the side of the same
// name, whatever order either keeps them in.
struct TViewMargins {
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
};
TViewMargins ViewMarginsFromTheme(const TMargins& theme);

// Close-button states of the non-client records: 0 none, 1 shown, 3 hot, 5 pushed.
int CloseButtonState(bool shown, bool hot, bool pushed);
// A docked toolbar shows one when its dock allows dragging and it has CloseButtonWhenDocked.
int DockedCloseButtonState(bool dockAllowsDrag, bool closeButtonWhenDocked, bool hot, bool pushed);
// A floating frame when the window has CloseButton and ShowCaption.
int FloatingCloseButtonState(bool closeButton, bool showCaption, bool hot, bool pushed);
// A state into the frame record the theme paints from.
void SetCloseButtonState(TSkinWindowFrameInfo& frame, int state);

// A toolbar's WM_ERASEBKGND: what to fill with (clDefault: the theme's colour; clNone: no fill) and
// whether the parent's background goes under it.
struct TToolbarBackground {
    TColor fill = clDefault;
    bool parentBackground = false;
};
struct TToolbarBackgroundFacts {
    bool useThemeColor = true;
    TColor color = clBtnFace;
    bool opaqueMetric = false;  // the theme's boolean metric 7
    bool docked = false;
    bool dockBitmapOnToolbars = false;  // the dock has a background shown on its toolbars
};
TToolbarBackground ToolbarBackground(const TToolbarBackgroundFacts& facts);
// The docked non-client area paints the parent background first: boolean metric 6 false, a dock background
// on toolbars, or the theme colour with metric 7 false.
bool NCParentBackground(bool ncMetric, bool dockBitmapOnToolbars, bool useThemeColor, bool opaqueMetric);

// A dock is painted by the theme with no background bitmap, the theme colour and visual styles.
bool DockThemedBackground(bool hasBackground, bool useThemeColor, bool visualStyles);
// The dock position code the theme gets: top 1, bottom 2, left 3, right 4 (position 0..3 = top, bottom,
// left, right).
int DockPositionCode(int position);

// A floating frame moved without resizing: each edge nearer than distance to the work area's edge goes
// there; right and bottom first, then left and top, which win when both apply. A distance of 0 or less
// leaves the rectangle.
TRect SnapToWorkArea(const TRect& window, const TRect& work, int distance);

}  // namespace skin
