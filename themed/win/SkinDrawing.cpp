#include "themed/win/SkinDrawing.h"

#include <algorithm>
#include <cwchar>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/win/TControl.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/WideChars.h"
#include "themed/core/SkinColorMath.h"
#include "themed/core/TColorEffects.h"
#include "themed/win/SkinResources.h"
#include "themed/win/TDIB32.h"
#include "themed/win/TDIBList32.h"
#include "themed/win/TMonoGlyph.h"
#include "themed/win/TSkinImageList.h"
#include "toolbar/core/RotatedCaption.h"
#include "toolbar/win/TextDrawing.h"
#include "toolbar/win/WindowPainting.h"

namespace skin {

namespace {

std::uint32_t RGBOf(TColor c) { return std::uint32_t(ColorToRGB(c)) & 0xFFFFFF; }
RECT R(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

// Selects a pen and a brush for the length of a shape.
class TSelectedTools {
public:
    TSelectedTools(HDC dc, TColor outline, TColor fill) : dc_(dc), pen_(PenFor(outline)), brush_(BrushFor(fill)) {
        oldPen_ = ::SelectObject(dc, pen_.Get());
        oldBrush_ = ::SelectObject(dc, brush_.Get());
    }
    ~TSelectedTools() {
        ::SelectObject(dc_, oldPen_);
        ::SelectObject(dc_, oldBrush_);
    }
    TSelectedTools(const TSelectedTools&) = delete;
    TSelectedTools& operator=(const TSelectedTools&) = delete;

private:
    HDC dc_;
    TGdiHandle<HPEN> pen_;
    TGdiHandle<HBRUSH> brush_;
    HGDIOBJ oldPen_, oldBrush_;
};

std::vector<POINT> Points(const std::vector<TPoint>& points) {
    std::vector<POINT> p;
    p.reserve(points.size());
    for (const TPoint& q : points) p.push_back(POINT{q.X, q.Y});
    return p;
}

int WidthOf(HDC dc, std::u16string_view text) { return tb::GetTextWidthW(dc, text, false); }

// The context's font turned by escapement (900 upwards, 2700 downwards), TrueType only; bitmap faces become
// Arial of the same character height, and the face's vertical variant is taken when there is one.
TGdiHandle<HFONT> RotatedFont(HDC dc, int escapement) {
    LOGFONTW lf{};
    if (!::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf)) return {};
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    const WideString face = FromWideChars(lf.lfFaceName);
    if (SameTextAscii(face, u"MS Sans Serif") || SameTextAscii(face, u"Microsoft Sans Serif")) {
        std::wcscpy(lf.lfFaceName, L"Arial");
        TEXTMETRICW tm{};
        ::GetTextMetricsW(dc, &tm);
        lf.lfHeight = lf.lfHeight > 0 ? tm.tmHeight : tm.tmInternalLeading - tm.tmHeight;
    }
    if (std::wcslen(lf.lfFaceName) < 31) {
        wchar_t vertical[LF_FACESIZE] = L"@";
        std::wcsncat(vertical, lf.lfFaceName, LF_FACESIZE - 2);
        if (tb::FontFaceExists(dc, vertical)) std::wcscpy(lf.lfFaceName, vertical);
    }
    return TGdiHandle<HFONT>(::CreateFontIndirectW(&lf));
}

void DrawRotated(HDC dc, std::u16string_view text, const TRect& rect, std::uint32_t flags, int code) {
    TGdiHandle<HFONT> font = RotatedFont(dc, code == 1 ? 900 : 2700);
    if (!font) return;
    const HGDIOBJ oldFont = ::SelectObject(dc, font.Get());
    const UINT oldAlign = ::SetTextAlign(dc, TA_BOTTOM);
    TScopeExit restore([&] {
        ::SetTextAlign(dc, oldAlign);
        ::SelectObject(dc, oldFont);
    });
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    const int x = RotatedTextX(code, flags, rect.Left, rect.Right, tm.tmHeight);
    const tb::TRotatedCaption shown = tb::LayoutRotatedCaption(text, flags & ~(0xFu << kRotationShift), rect.Height(),
                                                               [dc](const WideString& t) { return WidthOf(dc, t); });
    const int y = RotatedTextY(code, flags, rect.Top, rect.Bottom, WidthOf(dc, shown.text));
    const RECT clip = R(rect);
    const UINT options = (flags & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    ::ExtTextOutW(dc, x, y, options, &clip, WideChars(shown.text), UINT(shown.text.size()), nullptr);
    if ((flags & DT_HIDEPREFIX) || shown.accelIndex < 0) return;
    const std::u16string_view s = shown.text;
    const int before = WidthOf(dc, s.substr(0, std::size_t(shown.accelIndex)));
    const int width = WidthOf(dc, s.substr(std::size_t(shown.accelIndex), 1));
    const TUnderline u = RotatedUnderline(code, x, y, tm.tmDescent, before, width);
    const int saved = ::SaveDC(dc);
    if (options & ETO_CLIPPED) ::IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    DrawLineColor(dc, u.x, u.y1, u.x, u.y2, TColor(::GetTextColor(dc)));
    ::RestoreDC(dc, saved);
}

TSkinImageList* AlphaListOf(TCustomImageList* images) { return dynamic_cast<TSkinImageList*>(images); }

// Draws an image of the alpha list at rect's corner through the effects (none: at full opacity).
void DrawAlpha(HDC dc, int x, int y, TSkinImageList* list, int index, const TColorEffects* effects) {
    TDIBList32* alpha = list->AlphaList();
    if (!alpha || index < 0 || index >= alpha->Count()) return;
    const TRect source = alpha->GetRect(index);
    if (effects)
        alpha->Strip()->DrawWithEffects(dc, x, y, *effects, source);
    else
        alpha->Strip()->AlphaDraw(dc, x, y, source, 255);
}

}  // namespace

TColor BlendColor(TColor a, TColor b, unsigned weight) { return TColor(BlendColors(RGBOf(a), RGBOf(b), weight)); }

TColor BlendToNearestColor(TColor a, TColor b, unsigned weight) {
    const TColor blended = BlendColor(a, b, weight);
    TSharedDrawingObjects* shared = SharedDrawingObjects();
    if (!shared || !shared->screenCompatibleDC) return blended;
    const COLORREF nearest = ::GetNearestColor(shared->screenCompatibleDC, COLORREF(blended));
    return nearest == CLR_INVALID ? blended : TColor(nearest);
}

TColor ShiftColorBy(TColor color, int delta) { return TColor(ShiftColor(RGBOf(color), delta)); }
bool IsColorDarker(TColor color, int threshold) { return IsDarker(RGBOf(color), threshold); }
std::uint32_t ColorToPixel(TColor color) { return ColorToOpaquePixel(RGBOf(color)); }

TGdiHandle<HPEN> PenFor(TColor color) {
    if (color == clNone) return TGdiHandle<HPEN>(static_cast<HPEN>(::GetStockObject(NULL_PEN)));
    return TGdiHandle<HPEN>(::CreatePen(PS_SOLID, 1, RGBOf(color)));
}

TGdiHandle<HBRUSH> BrushFor(TColor color) {
    if (color == clNone) return TGdiHandle<HBRUSH>(static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH)));
    if (color < 0) return TGdiHandle<HBRUSH>(::GetSysColorBrush(color & 0xFF));
    return TGdiHandle<HBRUSH>(::CreateSolidBrush(RGBOf(color)));
}

bool FillRectColor(HDC dc, const TRect& rect, TColor color) {
    if (color == clNone) return false;
    TGdiHandle<HBRUSH> brush = BrushFor(color);
    const RECT r = R(rect);
    ::FillRect(dc, &r, brush.Get());
    return true;
}

void FrameRectColor(HDC dc, TRect& rect, TColor color, bool shrink) {
    if (color != clNone) {
        TGdiHandle<HBRUSH> brush = BrushFor(color);
        const RECT r = R(rect);
        ::FrameRect(dc, &r, brush.Get());
    }
    if (shrink) rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

void DrawLineColor(HDC dc, int x1, int y1, int x2, int y2, TColor color) {
    if (color == clNone) return;
    TSelectedTools tools(dc, color, clNone);
    POINT old{};
    ::MoveToEx(dc, x1, y1, &old);
    ::LineTo(dc, x2, y2);
    ::MoveToEx(dc, old.x, old.y, nullptr);
}

void PolylineColor(HDC dc, const std::vector<TPoint>& points, TColor color) {
    if (color == clNone || points.empty()) return;
    TSelectedTools tools(dc, color, clNone);
    const std::vector<POINT> p = Points(points);
    ::Polyline(dc, p.data(), int(p.size()));
}

void PolygonColor(HDC dc, const std::vector<TPoint>& points, TColor outline, TColor fill) {
    if ((outline == clNone && fill == clNone) || points.empty()) return;
    TSelectedTools tools(dc, outline, fill);
    const std::vector<POINT> p = Points(points);
    ::Polygon(dc, p.data(), int(p.size()));
}

void RoundRectColor(HDC dc, const TRect& rect, TColor outline, TColor fill, int cornerWidth, int cornerHeight) {
    if (outline == clNone && fill == clNone) return;
    TSelectedTools tools(dc, outline, fill);
    ::RoundRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom, cornerWidth, cornerHeight);
}

void Frame3D(HDC dc, TRect& rect, TColor topLeft, TColor bottomRight, bool adjust) {
    rect.Right -= 1;
    rect.Bottom -= 1;
    DrawLineColor(dc, rect.Left, rect.Bottom, rect.Left, rect.Top, topLeft);
    DrawLineColor(dc, rect.Left, rect.Top, rect.Right, rect.Top, topLeft);
    DrawLineColor(dc, rect.Right, rect.Top, rect.Right, rect.Bottom, bottomRight);
    DrawLineColor(dc, rect.Right, rect.Bottom, rect.Left - 1, rect.Bottom, bottomRight);
    if (adjust) {
        rect.Left += 1;
        rect.Top += 1;
    } else {
        rect.Right -= 1;
        rect.Bottom -= 1;
    }
}

void DrawDragOutline(HDC dc, const TRect* newRect, const TRect* oldRect) {
    const RECT n = newRect ? R(*newRect) : RECT{};
    const RECT o = oldRect ? R(*oldRect) : RECT{};
    tb::DrawHalftoneInvertRect(dc, newRect ? &n : nullptr, SIZE{3, 2}, oldRect ? &o : nullptr, SIZE{3, 2});
}

void DrawFocusRectBW(HDC dc, const TRect& rect) {
    const COLORREF oldText = ::SetTextColor(dc, 0x000000);
    const COLORREF oldBack = ::SetBkColor(dc, 0xFFFFFF);
    const RECT r = R(rect);
    ::DrawFocusRect(dc, &r);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

void DitherRect(HDC dc, const TRect& rect, TColor color1, TColor color2) {
    TSharedDrawingObjects* shared = SharedDrawingObjects();
    if (!shared || !shared->checker8x8) return;
    TGdiHandle<HBRUSH> brush(::CreatePatternBrush(shared->checker8x8.Get()));
    // A one-bit pattern takes the text colour for its 0 bits and the background colour for its 1 bits.
    const COLORREF oldText = ::SetTextColor(dc, RGBOf(color1));
    const COLORREF oldBack = ::SetBkColor(dc, RGBOf(color2));
    const RECT r = R(rect);
    ::FillRect(dc, &r, brush.Get());
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

int WideTextWidth(HDC dc, std::u16string_view text) { return WidthOf(dc, text); }

void DrawGlyph(HDC dc, const TRect& rect, TColor color, const std::uint8_t* bits, int width, int height) {
    TMonoGlyph glyph(width, bits, height);
    glyph.Draw(dc, (rect.Left + rect.Right - width) / 2, (rect.Top + rect.Bottom - height) / 2, color);
}

TSize GetControlClientSize(TControl* control) {
    if (!control) return TSize{};
    auto* form = dynamic_cast<TCustomForm*>(control);
    if (form && form->FormStyle() == fsMDIForm && form->ClientHandle()) {
        RECT r{};
        ::GetClientRect(form->ClientHandle(), &r);
        return TSize{r.right - r.left, r.bottom - r.top};
    }
    const TRect r = control->ClientRect();
    return TSize{r.Width(), r.Height()};
}

void DrawSkinText(HDC dc, std::u16string_view text, const TRect& rect, TColor color, std::uint32_t flags) {
    if (text.empty()) return;
    const int code = RotationCode(flags);
    if (code > 2) return;
    const COLORREF oldText = ::GetTextColor(dc);
    if (color != clDefault) ::SetTextColor(dc, RGBOf(color));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    TScopeExit restore([&] {
        ::SetBkMode(dc, oldMode);
        ::SetTextColor(dc, oldText);
    });
    if (code == 0) {
        RECT r = R(rect);
        ::DrawTextW(dc, WideChars(text), int(text.size()), &r, flags);
        return;
    }
    DrawRotated(dc, text, rect, flags, code);
}

bool DrawImageWithEffects(HIMAGELIST list, int index, HDC dc, const TImageEffects& effects, const TRect& rect) {
    if (!list || !dc || index < 0 || index >= ::ImageList_GetImageCount(list)) return false;
    int w = rect.Width(), h = rect.Height();
    const bool scaled = w > 0 && h > 0;
    if (!scaled) ::ImageList_GetIconSize(list, &w, &h);
    const RECT target{rect.Left, rect.Top, rect.Left + w, rect.Top + h};
    if (!::RectVisible(dc, &target)) return false;
    if (!HasImageEffects(effects)) {
        ::ImageList_DrawEx(list, index, dc, rect.Left, rect.Top, scaled ? w : 0, scaled ? h : 0, CLR_NONE, CLR_NONE,
                           ILD_NORMAL);
        return true;
    }
    TSharedDrawingObjects* shared = SharedDrawingObjects();
    TDIB32 ownA, ownB;
    TDIB32& a = shared ? *shared->scratchA : ownA;
    TDIB32& b = shared ? *shared->scratchB : ownB;
    a.SetSize(w, h);
    b.SetSize(w, h);
    ::BitBlt(a.DC(), 0, 0, w, h, dc, rect.Left, rect.Top, SRCCOPY);
    b.Fill(kEffectKeyColor);
    ::ImageList_DrawEx(list, index, b.DC(), 0, 0, scaled ? w : 0, scaled ? h : 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    ApplyImageEffects(b.Pixels(), a.Pixels(), w * h, effects);
    ::BitBlt(dc, rect.Left, rect.Top, w, h, a.DC(), 0, 0, SRCCOPY);
    return true;
}

namespace {
bool ReadyList(TCustomImageList* images) { return images && images->HandleAllocated(); }
}  // namespace

void DrawImage(HDC dc, const TRect& rect, TCustomImageList* images, int index, bool monochrome) {
    if (!ReadyList(images)) return;
    if (TSkinImageList* alpha = AlphaListOf(images)) {
        DrawAlpha(dc, rect.Left, rect.Top, alpha, index, nullptr);
        return;
    }
    TImageEffects e;
    e.monochrome = monochrome;
    DrawImageWithEffects(images->Handle(), index, dc, e, rect);
}

void DrawImageTinted(HDC dc, const TRect& rect, TCustomImageList* images, int index, TColor color,
                     std::uint8_t amount) {
    if (!ReadyList(images)) return;
    if (TSkinImageList* alpha = AlphaListOf(images)) {
        TColorEffects effects;
        effects.Add(ceMix, (std::uint32_t(255 - amount) << 24) | (ColorToPixel(color) & 0xFFFFFF));
        DrawAlpha(dc, rect.Left, rect.Top, alpha, index, &effects);
        return;
    }
    TImageEffects e;
    e.tint = std::uint8_t(255 - amount);
    e.tintColor = ColorToPixel(color) & 0xFFFFFF;
    DrawImageWithEffects(images->Handle(), index, dc, e, rect);
}

void DrawImageDisabled(HDC dc, const TRect& rect, TCustomImageList* images, int index, int style) {
    if (!ReadyList(images) || style < 0 || style > 2) return;
    if (TSkinImageList* alpha = AlphaListOf(images)) {
        TColorEffects effects;
        if (style == 0) {
            effects.Add(ceGrey, 255);
            effects.Add(ceFade, 95);
            effects.Add(ceMix, 0x2F000000);
        } else {
            effects.Add(ceFade, style == 1 ? 47 : 95);
            effects.Add(ceMix, 0xFF000000);
        }
        DrawAlpha(dc, rect.Left, rect.Top, alpha, index, &effects);
        return;
    }
    TImageEffects e;
    e.tintColor = 0x000000;
    if (style == 0) {
        e.desaturation = 255;
        e.opacity = 95;
        e.tint = 47;
    } else {
        e.opacity = style == 1 ? 31 : 95;
        e.tint = 255;
    }
    TRect moved = rect;
    moved.Left += 1;
    moved.Top += 1;
    moved.Right += 1;
    moved.Bottom += 1;
    DrawImageWithEffects(images->Handle(), index, dc, e, moved);
}

}  // namespace skin
