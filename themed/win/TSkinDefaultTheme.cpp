#include "themed/win/TSkinDefaultTheme.h"

#include <algorithm>

#include "themed/core/SkinColorMath.h"
#include "themed/core/SkinFrameGeometry.h"
#include "themed/win/SkinDrawing.h"
#include "themed/win/SkinResources.h"

#include <uxtheme.h>

using namespace skin;

namespace {

RECT R(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
TRect T(const RECT& r) { return Rect(r.left, r.top, r.right, r.bottom); }
bool Has(std::int32_t options, std::int32_t bit) { return (options & bit) != 0; }
HTHEME Style(TSkinStyleClass c) { return SkinSystem().visualStyles ? SkinSystem().styles[c] : nullptr; }

void Edge(HDC dc, TRect& rect, UINT edge, UINT flags) {
    RECT r = R(rect);
    ::DrawEdge(dc, &r, edge, flags);
    rect = T(r);
}

// Glyph rows padded to 16 bits, the high bit leftmost.
constexpr std::uint8_t kChevronRight[] = {0xCC, 0, 0x66, 0, 0x33, 0, 0x66, 0, 0xCC, 0};  // 8 x 5
constexpr std::uint8_t kChevronDown[] = {0x88, 0, 0xD8, 0, 0x70, 0, 0x20, 0,
                                         0x88, 0, 0xD8, 0, 0x70, 0, 0x20, 0};                   // 5 x 8
constexpr std::uint8_t kCloseCross[] = {0xC6, 0, 0x6C, 0, 0x38, 0, 0x38, 0, 0x6C, 0, 0xC6, 0};  // 7 x 6

// A small triangle pointing down (or right) centred in rect.
void Arrow(HDC dc, const TRect& rect, bool down, TColor color) {
    const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
    if (down)
        PolygonColor(dc, {Point(cx - 2, cy - 1), Point(cx + 2, cy - 1), Point(cx, cy + 1)}, color, color);
    else
        PolygonColor(dc, {Point(cx - 1, cy - 2), Point(cx - 1, cy + 2), Point(cx + 1, cy)}, color, color);
}

}  // namespace

TSkinDefaultTheme::TSkinDefaultTheme(const AnsiString& name) : TSkinTheme(name) {
    SetupColorCache();
    RegisterSysChangeNotification(this);
}

TSkinDefaultTheme::~TSkinDefaultTheme() { UnregisterSysChangeNotification(this); }

void TSkinDefaultTheme::CMThemeChange(TMessage& message) {
    if (message.WParam == tcDisplayChanged) SetupColorCache();
}

void TSkinDefaultTheme::SetupColorCache() {
    colors_ = TThemeColorCache{};
    auto fill = [](TSkinStyleClass c, int property, TColor& target) {
        HTHEME h = Style(c);
        COLORREF value = 0;
        if (h && SUCCEEDED(::GetThemeColor(h, 0, 0, property, &value))) target = TColor(value);
    };
    fill(scRebar, tmFillColor, colors_.DockColor);
    fill(scToolbar, tmFillColor, colors_.ToolbarColor);
    fill(scToolbar, tmTextColor, colors_.ToolbarTextColor);
    fill(scStatus, tmFillColor, colors_.StatusBarColor);
    const std::uint32_t mixed =
        MixDockPanelColor(std::uint32_t(ColorToRGB(colors_.ToolbarColor)), std::uint32_t(ColorToRGB(clWindow)));
    colors_.DockPanelColor = TColor(mixed);
    if (TSharedDrawingObjects* shared = SharedDrawingObjects()) {
        const COLORREF nearest = ::GetNearestColor(shared->screenCompatibleDC, mixed);
        if (nearest != CLR_INVALID) colors_.DockPanelColor = TColor(nearest);
    }
}

TDefaultThemeInputs TSkinDefaultTheme::Inputs() const {
    const TSkinSystemState& s = SkinSystem();
    TDefaultThemeInputs in;
    in.visualStyles = s.visualStyles;
    in.flatMenus = s.flatMenus;
    in.menuColor = s.menuColor;
    in.menuTextColor = s.menuTextColor;
    in.sizeFrame = TSize{::GetSystemMetrics(SM_CXSIZEFRAME), ::GetSystemMetrics(SM_CYSIZEFRAME)};
    in.fixedFrame = TSize{::GetSystemMetrics(SM_CXFIXEDFRAME), ::GetSystemMetrics(SM_CYFIXEDFRAME)};
    if (HTHEME toolbar = Style(scToolbar)) {
        MARGINS m{};
        if (SUCCEEDED(::GetThemeMargins(toolbar, nullptr, 1, 2, tmCaptionMargins, nullptr, &m)))
            in.toolbarItemMargins = Rect(m.cxLeftWidth, m.cyTopHeight, m.cxRightWidth, m.cyBottomHeight);
        SIZE size{};
        if (SUCCEEDED(::GetThemePartSize(toolbar, nullptr, 4, 1, nullptr, TS_TRUE, &size)))
            in.splitArrowWidth = size.cx;
    }
    if (HTHEME status = Style(scStatus)) {
        const RECT bounds{0, 0, 100, 100};
        RECT content{};
        if (SUCCEEDED(::GetThemeBackgroundContentRect(status, nullptr, 1, 0, &bounds, &content)))
            in.statusPaneMargins = Rect(content.left, content.top, 100 - content.right, 100 - content.bottom);
    }
    return in;
}

TPoint TSkinDefaultTheme::GetImageOffset(const TSkinItemInfo& info) { return DefaultImageOffset(info); }
TColor TSkinDefaultTheme::GetItemColor(const TSkinItemInfo& info) { return DefaultItemColor(info, colors_, Inputs()); }
std::pair<TColor, bool> TSkinDefaultTheme::GetItemTextColor(const TSkinItemInfo& info) {
    return DefaultItemTextColor(info, Inputs());
}
std::pair<TColor, bool> TSkinDefaultTheme::GetItemImageBackground(const TSkinItemInfo& info) {
    return DefaultItemImageBackground(info, colors_, Inputs());
}
TMargins TSkinDefaultTheme::GetMargins(int kind) { return DefaultMargins(kind, Inputs()); }
TSize TSkinDefaultTheme::GetViewBorder(std::int32_t viewType) { return DefaultViewBorder(viewType, Inputs()); }
TColor TSkinDefaultTheme::GetViewColor(std::int32_t viewType) { return DefaultViewColor(viewType, colors_, Inputs()); }
TMargins TSkinDefaultTheme::GetViewMargins(std::int32_t viewType) { return DefaultViewMargins(viewType); }
int TSkinDefaultTheme::GetIntegerMetrics(int index) { return DefaultIntegerMetric(index, Inputs()); }
bool TSkinDefaultTheme::GetBooleanMetrics(int index) { return DefaultBooleanMetric(index, Inputs()); }

void TSkinDefaultTheme::PaintBackgnd(HDC dc, const TRect& paintRect, const TRect& clipRect, TColor color,
                                     std::int32_t viewType) {
    const TRect r = Rect(std::max(paintRect.Left, clipRect.Left), std::max(paintRect.Top, clipRect.Top),
                         std::min(paintRect.Right, clipRect.Right), std::min(paintRect.Bottom, clipRect.Bottom));
    if (r.IsEmpty()) return;
    FillRectColor(dc, r, color == clDefault ? GetViewColor(viewType) : color);
}

void TSkinDefaultTheme::PaintButton(HDC dc, const TRect& rect, const TSkinItemInfo& info) {
    const bool menuBar = ViewKind(info.ViewType) == vtMenuBar;
    const bool hot = IsItemHot(info);
    const bool flat = SkinSystem().flatMenus;
    const bool opaque = Has(info.ViewType, vtOpaqueItems);
    TRect r = rect;
    HTHEME toolbar = Style(scToolbar);
    if (toolbar && !menuBar) {
        const int part = std::clamp(int(info.ComboPart) + 1, 1, 4);
        if (info.ComboPart == 3) r.Left -= 1;
        const int state = ToolbarButtonState(info);
        RECT rc = R(r);
        if (opaque || Has(info.ItemOptions, ioDesigning)) {
            HRGN region = nullptr;
            if (SUCCEEDED(::GetThemeBackgroundRegion(toolbar, dc, part, state, &rc, &region)) && region) {
                TGdiHandle<HRGN> owned(region);
                if (opaque || !Has(info.ItemOptions, ioDesigning)) {
                    TGdiHandle<HBRUSH> brush = BrushFor(colors_.ToolbarColor);
                    ::FillRgn(dc, region, brush.Get());
                }
                TGdiHandle<HBRUSH> frame = BrushFor(clBtnShadow);
                ::FrameRgn(dc, region, frame.Get(), 1, 1);
            }
        }
        ::DrawThemeBackground(toolbar, dc, part, state, &rc, nullptr);
        if (info.ComboPart == 3) PaintDropDownArrow(dc, r, info);
        return;
    }
    if (menuBar && flat) {
        if ((info.Enabled && (info.Pushed || info.Selected)) || hot) FillRectColor(dc, r, clHighlight);
        return;
    }
    if (info.ComboPart == 3) r.Right -= 2;
    const bool down = info.Pushed || info.Selected;
    if (flat && (info.Pushed || info.Selected || hot)) FillRectColor(dc, r, colors_.ToolbarColor);
    if (opaque) {
        TRect e = r;
        if (info.ComboPart == 2 && !hot) e.Right += 1;
        const UINT soft = (hot && !down) ? BF_SOFT : 0;
        Edge(dc, e, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | soft);
        if (info.Selected && info.Enabled && !hot) DitherRect(dc, e, colors_.ToolbarColor, clBtnHighlight);
    } else {
        TRect e = r;
        if (info.Enabled && down) {
            Edge(dc, e, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
            if (info.Selected && !info.Pushed && !hot) DitherRect(dc, e, colors_.ToolbarColor, clBtnHighlight);
        } else if (hot || Has(info.ItemOptions, ioDesigning)) {
            Edge(dc, e, BDR_RAISEDINNER, BF_RECT);
        }
    }
    if (info.ComboPart == 3) PaintDropDownArrow(dc, r, info);
}

void TSkinDefaultTheme::PaintCaption(HDC dc, const TRect& rect, const TSkinItemInfo& info, std::u16string_view text,
                                     unsigned format, TColor color) {
    if (color == clDefault)
        color = GetItemTextColor(info).first;
    else if (color == clNone)
        color = clDefault;
    const bool toolbarStyle = Has(info.ItemOptions, ioToolbarStyle);
    const bool menuBarFlat = ViewKind(info.ViewType) == vtMenuBar && SkinSystem().flatMenus;
    if (!info.Enabled && (toolbarStyle || info.HoverKind != hkDisabledKeyboard)) {
        const TRect moved = Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
        DrawSkinText(dc, text, moved, clBtnHighlight, format);
        DrawSkinText(dc, text, rect, clBtnShadow, format);
        return;
    }
    if (info.Enabled && toolbarStyle && (info.Pushed || info.Selected) && !menuBarFlat) {
        DrawSkinText(dc, text, Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1), color, format);
        return;
    }
    DrawSkinText(dc, text, rect, color, format);
}

void TSkinDefaultTheme::PaintCheckMark(HDC dc, const TRect& rect, const TSkinItemInfo& info) {
    const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
    if (Has(info.ItemOptions, ioRadio)) {
        RoundRectColor(dc, Rect(cx - 3, cy - 3, cx + 4, cy + 4), clBtnHighlight, clNone, 6, 6);
        RoundRectColor(dc, Rect(cx - 2, cy - 2, cx + 3, cy + 3), clBtnText, clBtnText, 2, 2);
        return;
    }
    const TColor ink = info.Enabled ? clBtnText : clGrayText;
    PolygonColor(dc, CheckTickPolygon(cx, cy), ink, ink);
    if (info.Enabled) PolylineColor(dc, CheckTickHighlight(cx, cy), clBtnHighlight);
}

void TSkinDefaultTheme::PaintChevron(HDC dc, const TRect& rect, const TSkinItemInfo& info) {
    PaintButton(dc, rect, info);
    const int d = info.Pushed ? 1 : 0;
    TRect g = info.IsVertical ? Rect(rect.Right - 9, rect.Top, rect.Right - 4, rect.Bottom)
                              : Rect(rect.Left, rect.Top + 4, rect.Right, rect.Top + 9);
    g = Rect(g.Left + d, g.Top + d, g.Right + d, g.Bottom + d);
    const std::uint8_t* bits = info.IsVertical ? kChevronDown : kChevronRight;
    const int w = info.IsVertical ? 5 : 8, h = info.IsVertical ? 8 : 5;
    if (!info.Enabled) {
        DrawGlyph(dc, Rect(g.Left + 1, g.Top + 1, g.Right + 1, g.Bottom + 1), clBtnHighlight, bits, w, h);
        DrawGlyph(dc, g, clBtnShadow, bits, w, h);
        return;
    }
    DrawGlyph(dc, g, clBtnText, bits, w, h);
}

void TSkinDefaultTheme::PaintEditFrame(HDC dc, const TRect& rect, const TSkinItemInfo& info,
                                       const TSkinEditFrameInfo& frame) {
    TRect r = rect;
    const bool hot = IsItemHot(info) || info.Selected;
    if (hot && info.Enabled)
        Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    else
        FrameRectColor(dc, r, info.Enabled ? clBtnShadow : clGrayText, true);
    const TRect inside = Rect(r.Left + frame.LeftButtonWidth, r.Top, r.Right - frame.RightButtonWidth, r.Bottom);
    FillRectColor(dc, inside, info.Enabled ? clWindow : clBtnFace);
}

void TSkinDefaultTheme::PaintEditButton(HDC dc, const TRect& rect, const TSkinItemInfo& info,
                                        const TSkinEditButtonInfo& button) {
    TRect r = rect;
    FillRectColor(dc, r, colors_.ToolbarColor);
    if (button.ButtonState == 2)
        Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    else if (button.ButtonState == 1 || IsItemHot(info))
        Edge(dc, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    const TColor ink = info.Enabled ? clBtnText : clGrayText;
    if (button.ButtonType == 0) {
        Arrow(dc, r, true, ink);
        return;
    }
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    if (button.ButtonType == 1)
        PolygonColor(dc, {Point(cx - 2, cy + 1), Point(cx + 2, cy + 1), Point(cx, cy - 1)}, ink, ink);
    else
        PolygonColor(dc, {Point(cx - 2, cy - 1), Point(cx + 2, cy - 1), Point(cx, cy + 1)}, ink, ink);
}

void TSkinDefaultTheme::PaintDock(HDC dc, const TRect& clientRect, const TRect& dockRect, int position) {
    HTHEME rebar = Style(scRebar);
    if (!rebar) return;
    RECT r = R(dockRect);
    if (position == 3 || position == 4) r.bottom += 1;
    const RECT clip = R(clientRect);
    ::DrawThemeBackground(rebar, dc, 0, 0, &r, &clip);
}

void TSkinDefaultTheme::PaintCloseButton(HDC dc, const TRect& rect, const TSkinWindowFrameInfo& frame) {
    TRect e = rect;
    if (frame.CloseButtonDown)
        Edge(dc, e, BDR_SUNKENOUTER, BF_RECT);
    else if (frame.CloseButtonHot)
        Edge(dc, e, BDR_RAISEDINNER, BF_RECT);
    const int d = frame.CloseButtonDown ? 1 : 0;
    DrawGlyph(dc, Rect(rect.Left + d, rect.Top + d, rect.Right + d, rect.Bottom + d), clBtnText, kCloseCross, 7, 6);
}

void TSkinDefaultTheme::PaintWindowCaption(HDC dc, const TRect& caption, std::u16string_view title, TColor back,
                                           TColor text, bool vertical) {
    FillRectColor(dc, caption, back);
    TSharedDrawingObjects* shared = SharedDrawingObjects();
    HGDIOBJ oldFont = nullptr;
    if (shared && shared->smallCaptionFont) oldFont = ::SelectObject(dc, shared->smallCaptionFont.Get());
    // A vertical caption bar (a panel docked at a side) reads upwards.
    const std::uint32_t rotation = vertical ? (1u << kRotationShift) : 0;
    const TRect textRect = vertical ? Rect(caption.Left, caption.Top + 2, caption.Right, caption.Bottom - 2)
                                    : Rect(caption.Left + 2, caption.Top, caption.Right - 2, caption.Bottom);
    DrawSkinText(dc, title, textRect, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | rotation);
    if (oldFont) ::SelectObject(dc, oldFont);
}

void TSkinDefaultTheme::PaintFloatingBorder(HDC dc, const TRect& rect, const TSkinWindowFrameInfo& frame) {
    TRect r = rect;
    Edge(dc, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    const TSize border{frame.BorderWidth, frame.BorderHeight};
    // The rest of the border in the toolbar colour.
    for (int i = 2; i < std::max(border.cx, border.cy); ++i) FrameRectColor(dc, r, colors_.ToolbarColor, true);
    if (!frame.ShowCaption) return;
    const int captionHeight = ::GetSystemMetrics(SM_CYSMCAPTION);
    TRect caption =
        FloatingCaptionRect(rect.Width() - 2 * border.cx, captionHeight, frame.ShowCloseButton, border, true);
    caption =
        Rect(caption.Left + rect.Left, caption.Top + rect.Top, caption.Right + rect.Left, caption.Bottom + rect.Top);
    PaintWindowCaption(dc, caption, frame.Caption, frame.Active ? clActiveCaption : clInactiveCaption,
                       frame.Active ? clCaptionText : clInactiveCaptionText, false);
    if (!frame.ShowCloseButton) return;
    TRect close = FloatingCloseButtonRect(rect.Width() - 2 * border.cx, captionHeight, border, true);
    close = Rect(close.Left + rect.Left, close.Top + rect.Top, close.Right + rect.Left, close.Bottom + rect.Top);
    FillRectColor(dc, close, colors_.ToolbarColor);
    PaintCloseButton(dc, close, frame);
}

void TSkinDefaultTheme::PaintDockPanelNCArea(HDC dc, const TRect& rect, const TSkinWindowFrameInfo& frame) {
    TRect r = rect;
    for (int i = 0; i < std::max(frame.BorderWidth, 1); ++i) FrameRectColor(dc, r, colors_.DockPanelColor, true);
    if (!frame.ShowCaption) return;
    const int h = ::GetSystemMetrics(SM_CYSMCAPTION) - 1;
    // A vertical panel has its caption bar along the left side.
    TRect bar = frame.IsVertical ? Rect(r.Left, r.Top, r.Left + h, r.Bottom) : Rect(r.Left, r.Top, r.Right, r.Top + h);
    TRect close{};
    if (frame.ShowCloseButton) {
        // The right end of a horizontal bar, the bottom of a vertical one: where a docked panel hit-tests it.
        close = frame.IsVertical ? Rect(bar.Left, bar.Bottom - h, bar.Right, bar.Bottom)
                                 : Rect(bar.Right - h, bar.Top, bar.Right, bar.Bottom);
        if (frame.IsVertical)
            bar.Bottom -= h;
        else
            bar.Right -= h;
    }
    PaintWindowCaption(dc, bar, frame.Caption, colors_.ToolbarColor, clBtnText, frame.IsVertical);
    if (close.IsEmpty()) return;
    FillRectColor(dc, close, colors_.ToolbarColor);
    PaintCloseButton(dc, close, frame);
}

void TSkinDefaultTheme::PaintDropDownArrow(HDC dc, const TRect& rect, const TSkinItemInfo& info) {
    Arrow(dc, rect, !info.IsVertical || ViewGroup(info.ViewType) == vtPopupGroup,
          info.Enabled ? clBtnText : clGrayText);
}

void TSkinDefaultTheme::PaintFrame(HDC dc, const TRect& rect, const TSkinItemInfo& info) {
    TRect r = rect;
    if (IsItemHot(info) || info.Selected)
        Edge(dc, r, BDR_SUNKENOUTER, BF_RECT);
    else
        FrameRectColor(dc, r, clBtnShadow, false);
}

void TSkinDefaultTheme::PaintImage(HDC dc, const TRect& rect, const TSkinItemInfo& info, TCustomImageList* images,
                                   int index) {
    const TPoint offset = GetImageOffset(info);
    const TRect at = Rect(rect.Left + offset.X, rect.Top + offset.Y, rect.Left + offset.X, rect.Top + offset.Y);
    if (info.Enabled)
        DrawImage(dc, at, images, index);
    else
        DrawImageDisabled(dc, at, images, index, 0);
}

void TSkinDefaultTheme::PaintMDIButton(HDC dc, const TRect& rect, const TSkinItemInfo& info, unsigned kind) {
    RECT r = R(rect);
    UINT state = kind;
    if (info.Pushed) state |= DFCS_PUSHED;
    if (!info.Enabled) state |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &r, DFC_CAPTION, state);
}

void TSkinDefaultTheme::PaintMenuItemFrame(HDC dc, const TRect& rect, const TSkinItemInfo& info) {
    if (IsItemHot(info)) FillRectColor(dc, rect, clHighlight);
}

void TSkinDefaultTheme::PaintMenuItem(HDC dc, const TRect& rect, const TSkinItemInfo& info) {
    const bool hot = IsItemHot(info);
    const bool combo = Has(info.ItemOptions, ioCombo);
    const bool imageColumn = info.ImageWidth >= 1 || info.Selected;
    const int arrowWidth = ::GetSystemMetrics(SM_CXMENUCHECK);
    TRect highlight = rect;
    if (imageColumn) highlight.Left += GetIntegerMetrics(imMenuItemFrame) + info.PopupMargin;
    if (combo && info.Enabled) highlight.Right -= arrowWidth;
    PaintMenuItemFrame(dc, highlight, info);

    if (combo) {
        TRect part = Rect(rect.Right - arrowWidth, rect.Top, rect.Right, rect.Bottom);
        if (info.Enabled && hot) {
            Edge(dc, part, BDR_SUNKENOUTER, BF_RECT);
        } else {
            part.Left -= 1;
            Edge(dc, part, hot ? BDR_SUNKENOUTER : EDGE_ETCHED, BF_LEFT);
        }
    }
    if (Has(info.ItemOptions, ioSubmenu)) {
        const std::vector<TPoint> arrow = SubmenuArrow(rect, arrowWidth);
        if (info.Enabled) {
            const TColor c = (hot && !combo) ? clHighlightText : SkinSystem().menuTextColor;
            PolygonColor(dc, arrow, c, c);
        } else if (info.HoverKind != hkDisabledKeyboard) {
            std::vector<TPoint> moved = arrow;
            for (TPoint& p : moved) p = Point(p.X + 1, p.Y + 1);
            PolygonColor(dc, moved, clBtnHighlight, clBtnHighlight);
            PolygonColor(dc, arrow, clBtnShadow, clBtnShadow);
        } else {
            PolygonColor(dc, arrow, clBtnShadow, clBtnShadow);
        }
    }
    if (info.Enabled && imageColumn && (hot || info.Selected)) {
        const TRect column = Rect(rect.Left, rect.Top, rect.Left + info.PopupMargin, rect.Bottom);
        if (SkinSystem().flatMenus) FillRectColor(dc, column, colors_.ToolbarColor);
        PaintButton(dc, column, info);
    }
}

void TSkinDefaultTheme::PaintPageScrollButton(HDC dc, const TRect& rect, bool up, bool hot) {
    TRect r = rect;
    FillRectColor(dc, r, SkinSystem().menuColor);
    if (hot) Edge(dc, r, BDR_RAISEDINNER, BF_RECT);
    const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
    const TColor c = SkinSystem().menuTextColor;
    if (up)
        PolygonColor(dc, {Point(cx - 3, cy + 1), Point(cx + 3, cy + 1), Point(cx, cy - 2)}, c, c);
    else
        PolygonColor(dc, {Point(cx - 3, cy - 1), Point(cx + 3, cy - 1), Point(cx, cy + 2)}, c, c);
}

void TSkinDefaultTheme::PaintPopupNCArea(HDC dc, const TRect& rect, const TSkinPopupFrameInfo& frame) {
    TRect r = rect;
    if (ViewKind(frame.ViewType) == vtListPopup) {
        FrameRectColor(dc, r, clWindowFrame, true);
        return;
    }
    if (SkinSystem().flatMenus) {
        FrameRectColor(dc, r, clBtnShadow, true);
    } else {
        Edge(dc, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    const TColor inner = GetViewColor(frame.ViewType);
    while (r.Left < rect.Left + frame.BorderWidth && r.Width() > 0 && r.Height() > 0)
        FrameRectColor(dc, r, inner, true);
    // The edge that touches the opener is left open in the view's colour.
    if (frame.OpenerRight > frame.OpenerLeft)
        FillRectColor(dc,
                      Rect(rect.Left + frame.OpenerLeft + 1, rect.Top, rect.Left + frame.OpenerRight - 1, rect.Top + 1),
                      inner);
}

void TSkinDefaultTheme::PaintSeparator(HDC dc, const TRect& rect, const TSkinItemInfo& info, bool horizontal,
                                       bool lineSeparator) {
    TRect r = rect;
    if (horizontal) {
        const int y = (r.Top + r.Bottom) / 2 - 1;
        TRect line = Rect(r.Left, y, r.Right, y + 2);
        Edge(dc, line, EDGE_ETCHED, BF_TOP);
    } else {
        const int x = (r.Left + r.Right) / 2 - 1;
        TRect line = Rect(x, r.Top, x + 2, r.Bottom);
        Edge(dc, line, EDGE_ETCHED, BF_LEFT);
    }
}

void TSkinDefaultTheme::PaintToolbarNCArea(HDC dc, const TRect& rect, const TSkinWindowFrameInfo& frame) {
    if (Has(frame.ViewType, vtFloating)) {
        PaintFloatingBorder(dc, rect, frame);
        return;
    }
    TRect r = rect;
    Edge(dc, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    FrameRectColor(dc, r, colors_.ToolbarColor, true);
    if (frame.DragHandle <= 0) return;
    const int size = DragHandleSize(true, frame.DragHandle - 1, frame.ShowCloseButton);
    if (size <= 0) return;
    // The handle runs across the toolbar at its start: bars of raised edges, the close square first.
    TRect handle =
        frame.IsVertical ? Rect(r.Left, r.Top, r.Right, r.Top + size) : Rect(r.Left, r.Top, r.Left + size, r.Bottom);
    if (frame.ShowCloseButton) {
        TRect close = DragHandleCloseRect(size, frame.IsVertical, false, 0);
        close = Rect(close.Left + handle.Left, close.Top + handle.Top, close.Right + handle.Left,
                     close.Bottom + handle.Top);
        PaintCloseButton(dc, close, frame);
        if (frame.IsVertical)
            handle.Left = close.Right;
        else
            handle.Top = close.Bottom;
    }
    const int bars = (frame.DragHandle - 1) == 0 ? 2 : 1;
    for (int i = 0; i < bars; ++i) {
        TRect bar = frame.IsVertical
                        ? Rect(handle.Left + 2, handle.Top + 2 + 3 * i, handle.Right - 2, handle.Top + 5 + 3 * i)
                        : Rect(handle.Left + 2 + 3 * i, handle.Top + 2, handle.Left + 5 + 3 * i, handle.Bottom - 2);
        Edge(dc, bar, BDR_RAISEDINNER, BF_RECT);
    }
}

void TSkinDefaultTheme::PaintFrameControl(HDC dc, const TRect& rect, int kind, int state) {
    const int check = state & 3;
    const bool disabled = state & 4, hot = state & 8, pushed = state & 16;
    if (HTHEME button = Style(scButton)) {
        // Check box states 1-12 (unchecked, checked, mixed; each normal, hot, pressed, disabled); radio 1-8.
        const int base = (kind == 1 ? std::min(check, 1) : check) * 4;
        const int s = base + (disabled ? 4 : pushed ? 3 : hot ? 2 : 1);
        RECT r = R(rect);
        ::DrawThemeBackground(button, dc, kind == 1 ? 2 : 3, s, &r, nullptr);
        return;
    }
    UINT flags = kind == 1 ? DFCS_BUTTONRADIO : (check == 2 ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK);
    if (check) flags |= DFCS_CHECKED;
    if (disabled) flags |= DFCS_INACTIVE;
    if (pushed) flags |= DFCS_PUSHED;
    if (hot) flags |= DFCS_HOT;
    RECT r = R(rect);
    ::DrawFrameControl(dc, &r, DFC_BUTTON, flags);
}

void TSkinDefaultTheme::PaintStatusBar(HDC dc, const TRect& rect, int part) {
    if (HTHEME status = Style(scStatus)) {
        RECT r = R(rect);
        ::DrawThemeBackground(status, dc, part, 0, &r, nullptr);
        return;
    }
    switch (part) {
        case 0: FillRectColor(dc, rect, colors_.StatusBarColor); break;
        case 1:
        case 2: {
            TRect r = rect;
            if (part == 1) r.Right -= 2;
            Frame3D(dc, r, clBtnShadow, clBtnHighlight, true);
            break;
        }
        case 3: {
            // Three pairs of diagonals in the bottom-right corner, sized by the smaller side.
            const int n = std::min(rect.Width(), rect.Height());
            const int right = rect.Right, bottom = rect.Bottom;
            for (int i = 0; i < 3; ++i) {
                const int d = n - 4 * i - 1;
                if (d < 2) break;
                DrawLineColor(dc, right - d, bottom, right, bottom - d, clBtnHighlight);
                DrawLineColor(dc, right - d + 1, bottom, right, bottom - d + 1, clBtnShadow);
                DrawLineColor(dc, right - d + 2, bottom, right, bottom - d + 2, clBtnShadow);
            }
            break;
        }
        default: break;
    }
}
