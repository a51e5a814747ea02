#include "themed/core/DefaultThemeRules.h"

#include <algorithm>

namespace skin {

namespace {
bool Has(std::int32_t options, std::int32_t bit) { return (options & bit) != 0; }
// Visual-style margins from outside the program are kept to a sane size.
TMargins Sane(const TRect& m) {
    auto c = [](int v) { return std::clamp(v, 0, 64); };
    return Rect(c(m.Left), c(m.Top), c(m.Right), c(m.Bottom));
}
}  // namespace

TColor DefaultViewColor(std::int32_t viewType, const TThemeColorCache& cache, const TDefaultThemeInputs& in) {
    const std::int32_t kind = ViewKind(viewType);
    const std::int32_t group = ViewGroup(viewType);
    if (group == vtToolbarGroup || kind == vtEditPopup) return cache.ToolbarColor;
    if (kind == vtPopupMenu || kind == vtChevronPopup) return in.menuColor;
    if (kind == vtListPopup) return clWindow;
    if (group == vtStatusBarGroup) return cache.StatusBarColor;
    if (group == vtDockPanelGroup) return cache.DockPanelColor;
    if (group == vtControlGroup) return cache.ToolbarColor;
    if (group == vtDockGroup) return cache.DockColor;
    return clBtnFace;
}

TColor DefaultItemColor(const TSkinItemInfo& info, const TThemeColorCache& cache, const TDefaultThemeInputs& in) {
    if (!in.visualStyles && ViewKind(info.ViewType) == vtPopupMenu && !Has(info.ItemOptions, ioToolbarStyle) &&
        IsItemHot(info))
        return clHighlight;
    return DefaultViewColor(info.ViewType, cache, in);
}

std::pair<TColor, bool> DefaultItemImageBackground(const TSkinItemInfo& info, const TThemeColorCache& cache,
                                                   const TDefaultThemeInputs& in) {
    if (in.flatMenus) {
        const std::int32_t kind = ViewKind(info.ViewType);
        const bool hot = IsItemHot(info);
        if (kind == vtMenuBar && hot) return {clHighlight, false};
        if (kind == vtChevronPopup) return {cache.ToolbarColor, true};
        if (kind == vtPopupMenu && hot && !Has(info.ItemOptions, ioToolbarStyle)) return {cache.ToolbarColor, false};
    }
    return {DefaultViewColor(info.ViewType, cache, in), false};
}

std::pair<TColor, bool> DefaultItemTextColor(const TSkinItemInfo& info, const TDefaultThemeInputs& in) {
    const bool menuBar = ViewKind(info.ViewType) == vtMenuBar;
    const bool inactive = menuBar && !Has(info.ItemOptions, ioAppActive);
    if (!info.Enabled) return {clGrayText, inactive};
    const bool menuStyle = !Has(info.ItemOptions, ioToolbarStyle) || (menuBar && in.flatMenus);
    if (menuStyle) {
        if (inactive) return {clGrayText, true};
        return {IsItemHot(info) ? clHighlightText : in.menuTextColor, false};
    }
    return {inactive ? clGrayText : clBtnText, inactive};
}

TMargins DefaultMargins(int kind, const TDefaultThemeInputs& in) {
    switch (kind) {
        case mkItem:
            if (in.visualStyles && in.toolbarItemMargins) return Sane(*in.toolbarItemMargins);
            return Rect(2, 2, 2, 2);
        case mkMenu: return Rect(0, 2, 0, 2);
        case mkStatusPane:
            if (in.visualStyles && in.statusPaneMargins) return Sane(*in.statusPaneMargins);
            return Rect(1, 1, 3, 1);
        default: return TMargins{};
    }
}

TSize DefaultViewBorder(std::int32_t viewType, const TDefaultThemeInputs& in) {
    const std::int32_t group = ViewGroup(viewType);
    if (group == vtToolbarGroup || group == vtDockPanelGroup || group == vtControlGroup) {
        if (!Has(viewType, vtFloating)) return TSize{2, 2};
        return Has(viewType, vtResizable) ? in.sizeFrame : in.fixedFrame;
    }
    if (group == vtPopupGroup) return ViewKind(viewType) == vtListPopup ? TSize{1, 1} : TSize{3, 3};
    return TSize{0, 0};
}

TMargins DefaultViewMargins(std::int32_t viewType) {
    if (ViewGroup(viewType) == vtToolbarGroup && Has(viewType, vtFloating)) return Rect(4, 4, 2, 1);
    return TMargins{};
}

int DefaultIntegerMetric(int index, const TDefaultThemeInputs& in) {
    switch (index) {
        case imSplitArrowWidth:
            if (in.visualStyles && in.splitArrowWidth) return std::clamp(*in.splitArrowWidth, 0, 64) + 2;
            return 11;
        case imImageTextSpace: return 8;
        case imMenuImageMargin: return 3;
        case imMenuItemFrame:
        case imEditTextMarginVert: return 1;
        case imMenuLeftCaptionMargin:
        case imMenuRightCaptionMargin:
        case imMenuSeparatorMargin:
        case imEditFrameWidth:
        case imEditTextMarginHorz: return 2;
        case imMenuImageTextSpace: return 4;
        case imToolbarSeparatorSize: return 6;
        case imEditButtonWidth: return 13;
        case imEditMenuMiddleWidth: return 0;
        default: return -1;
    }
}

bool DefaultBooleanMetric(int index, const TDefaultThemeInputs& in) {
    return index == bmVisualStyles && in.visualStyles;
}

TPoint DefaultImageOffset(const TSkinItemInfo& info) {
    return (info.Pushed || info.Selected) ? Point(1, 1) : Point(0, 0);
}

int ToolbarButtonState(const TSkinItemInfo& info) {
    if (!info.Enabled) return info.HoverKind == hkDisabledKeyboard ? 2 : 4;
    const bool hot = info.HoverKind != hkNone;
    if (info.Pushed) return 3;
    if (info.Selected) return hot ? 6 : 5;
    return hot ? 2 : 1;
}

std::vector<TPoint> CheckTickPolygon(int cx, int cy) {
    return {Point(cx - 3, cy),     Point(cx - 1, cy + 2), Point(cx + 3, cy - 2),
            Point(cx + 3, cy - 1), Point(cx - 1, cy + 3), Point(cx - 3, cy + 1)};
}

std::vector<TPoint> CheckTickHighlight(int cx, int cy) {
    return {Point(cx - 4, cy), Point(cx - 4, cy + 1), Point(cx - 1, cy + 4), Point(cx + 4, cy - 1),
            Point(cx + 4, cy - 3)};
}

std::vector<TPoint> SubmenuArrow(const TRect& item, int menuCheckWidth) {
    const int cy = item.Top + item.Height() / 2;
    const int x = item.Right - menuCheckWidth * 2 / 3 - 2;
    return {Point(x, cy - 3), Point(x, cy + 3), Point(x + 3, cy)};
}

}  // namespace skin
