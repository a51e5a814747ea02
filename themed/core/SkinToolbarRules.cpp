#include "themed/core/SkinToolbarRules.h"

#include <cstdlib>

namespace skin {

std::int32_t MarginsViewType(std::int32_t viewType, bool floating) {
    const std::int32_t group = ViewGroup(viewType);
    const std::int32_t plain = viewType & ~vtFloating;
    if (floating && (group == vtToolbarGroup || group == vtDockPanelGroup)) return plain | vtFloating;
    return plain;
}

TViewMargins ViewMarginsFromTheme(const TMargins& theme) {
    TViewMargins m;
    m.Left = theme.Left;
    m.Top = theme.Top;
    m.Right = theme.Right;
    m.Bottom = theme.Bottom;
    return m;
}

int CloseButtonState(bool shown, bool hot, bool pushed) {
    if (!shown) return 0;
    if (pushed) return 5;
    return hot ? 3 : 1;
}

int DockedCloseButtonState(bool dockAllowsDrag, bool closeButtonWhenDocked, bool hot, bool pushed) {
    return CloseButtonState(dockAllowsDrag && closeButtonWhenDocked, hot, pushed);
}

int FloatingCloseButtonState(bool closeButton, bool showCaption, bool hot, bool pushed) {
    return CloseButtonState(closeButton && showCaption, hot, pushed);
}

void SetCloseButtonState(TSkinWindowFrameInfo& frame, int state) {
    frame.ShowCloseButton = state != 0;
    frame.CloseButtonHot = state == 3;
    frame.CloseButtonDown = state == 5;
}

TToolbarBackground ToolbarBackground(const TToolbarBackgroundFacts& f) {
    TToolbarBackground b;
    b.fill = f.useThemeColor ? clDefault : f.color;
    b.parentBackground = !f.opaqueMetric;
    if (f.docked && (f.dockBitmapOnToolbars || (f.useThemeColor && !f.opaqueMetric))) {
        b.parentBackground = true;
        b.fill = clNone;
    }
    return b;
}

bool NCParentBackground(bool ncMetric, bool dockBitmapOnToolbars, bool useThemeColor, bool opaqueMetric) {
    return !ncMetric || dockBitmapOnToolbars || (useThemeColor && !opaqueMetric);
}

bool DockThemedBackground(bool hasBackground, bool useThemeColor, bool visualStyles) {
    return !hasBackground && useThemeColor && visualStyles;
}

int DockPositionCode(int position) { return position >= 0 && position <= 3 ? position + 1 : 0; }

TRect SnapToWorkArea(const TRect& window, const TRect& work, int distance) {
    if (distance <= 0) return window;
    const int width = window.Width(), height = window.Height();
    TRect r = window;
    if (std::abs(r.Right - work.Right) < distance) r = Bounds(work.Right - width, r.Top, width, height);
    if (std::abs(r.Bottom - work.Bottom) < distance) r = Bounds(r.Left, work.Bottom - height, width, height);
    if (std::abs(window.Left - work.Left) < distance) r = Bounds(work.Left, r.Top, width, height);
    if (std::abs(window.Top - work.Top) < distance) r = Bounds(r.Left, work.Top, width, height);
    return r;
}

}  // namespace skin
