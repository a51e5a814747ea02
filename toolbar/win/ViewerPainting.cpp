#include "toolbar/win/ViewerPainting.h"

#include <array>
#include <cstdint>

#include "classlib/win/MemoryDC.h"
#include "toolbar/core/ViewLayout.h"

namespace tb {

namespace {

// Set bits of a monochrome source take the brush colour, clear bits leave the destination (DSPDxax).
constexpr DWORD kRopBrushWhereSet = 0x00E20746;
// Clear bits of a monochrome source take the brush colour, set bits leave the destination (PSDPxax).
constexpr DWORD kRopBrushWhereClear = 0x00B8074A;

void FillPixels(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(color));
    const RECT r{left, top, right, bottom};
    ::FillRect(dc, &r, brush.Get());
}

void DrawTriangle(HDC dc, int x, int y, bool pointLeft, COLORREF color) {
    // Rows (down) or columns (left) of 5, 3 and 1 pixels, each one in from the last.
    for (int i = 0; i < 3; ++i) {
        if (pointLeft) {
            FillPixels(dc, x + 2 - i, y + i, x + 3 - i, y + 5 - i, color);
        } else {
            FillPixels(dc, x + i, y + i, x + 5 - i, y + i + 1, color);
        }
    }
}

// Paints a monochrome 8 x 8 pattern through a brush of color with rop.
void BlitPattern(HDC dc, const TRect& r, const std::array<std::uint8_t, 8>& rows, COLORREF color, DWORD rop) {
    std::array<std::uint16_t, 8> words{};  // monochrome rows are word-aligned
    for (std::size_t i = 0; i < rows.size(); ++i) words[i] = rows[i];
    TGdiHandle<HBITMAP> bitmap(::CreateBitmap(8, 8, 1, 1, words.data()));
    TMemoryDC source(bitmap.Get(), dc);
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(color));
    const HGDIOBJ oldBrush = ::SelectObject(dc, brush.Get());
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
    ::BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), source.Get(), 0, 0, rop);
    ::SetBkColor(dc, oldBk);
    ::SetTextColor(dc, oldText);
    ::SelectObject(dc, oldBrush);
}

}  // namespace

TToolbarButtonParts ToolbarButtonParts(const TRect& client, bool combo, bool hasArrow, bool vertical) {
    TToolbarButtonParts parts{client, TRect{}};
    if (combo) {
        parts.arrow = TRect{client.Right - 2 - 9, client.Top, client.Right - 2, client.Bottom};
        parts.button.Right = parts.arrow.Left;
    } else if (hasArrow) {
        parts.arrow = vertical ? TRect{client.Left, client.Bottom - 3 - 8, client.Right, client.Bottom - 3}
                               : TRect{client.Right - 3 - 8, client.Top, client.Right - 3, client.Bottom};
    }
    return parts;
}

void DrawEdgeRect(HDC dc, const TRect& r, UINT edge, UINT flags) {
    RECT rect = ToRECT(r);
    ::DrawEdge(dc, &rect, edge, flags);
}

void FillCheckedPattern(HDC dc, const TRect& r) {
    static constexpr std::uint16_t kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    TGdiHandle<HBITMAP> bitmap(::CreateBitmap(8, 8, 1, 1, kRows));
    TGdiHandle<HBRUSH> brush(::CreatePatternBrush(bitmap.Get()));
    // A monochrome pattern paints clear bits in the text colour and set bits in the background colour.
    const COLORREF oldText = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF oldBk = ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    const RECT rect = ToRECT(r);
    ::FillRect(dc, &rect, brush.Get());
    ::SetBkColor(dc, oldBk);
    ::SetTextColor(dc, oldText);
}

void DrawDropArrow(HDC dc, const TRect& r, bool pointLeft, bool disabledShadow) {
    const int w = pointLeft ? 3 : 5;
    const int h = pointLeft ? 5 : 3;
    const int x = r.Left + (r.Width() - w) / 2;
    const int y = r.Top + (r.Height() - h) / 2;
    if (disabledShadow) {
        DrawTriangle(dc, x + 1, y + 1, pointLeft, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTriangle(dc, x, y, pointLeft, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
        DrawTriangle(dc, x, y, pointLeft, ::GetTextColor(dc));
    }
}

void DrawMenuArrow(HDC dc, const TRect& r, COLORREF color) {
    const int w = r.Width();
    const int h = r.Height();
    if (w <= 0 || h <= 0) return;
    TGdiHandle<HBITMAP> mono(::CreateBitmap(w, h, 1, 1, nullptr));
    TMemoryDC glyph(mono.Get(), dc);
    RECT full{0, 0, w, h};
    ::DrawFrameControl(glyph.Get(), &full, DFC_MENU, DFCS_MENUARROW);  // black glyph on white
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(color));
    const HGDIOBJ oldBrush = ::SelectObject(dc, brush.Get());
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
    ::BitBlt(dc, r.Left, r.Top, w, h, glyph.Get(), 0, 0, kRopBrushWhereClear);
    ::SetBkColor(dc, oldBk);
    ::SetTextColor(dc, oldText);
    ::SelectObject(dc, oldBrush);
}

void DrawCheckMark(HDC dc, TPoint centre) {
    const int x = centre.X - 2;
    const int y = centre.Y + 1;
    static constexpr POINT kMark[] = {{-2, -2}, {0, 0}, {4, -4}, {4, -3}, {0, 1}, {-2, -1}, {-2, -2}};
    static constexpr POINT kLight[] = {{-3, -2}, {-3, -1}, {0, 2}, {5, -3}, {5, -5}};
    const auto polyline = [&](const POINT* points, int count, COLORREF color) {
        POINT moved[7];
        for (int i = 0; i < count; ++i) moved[i] = POINT{x + points[i].x, y + points[i].y};
        TGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, color));
        const HGDIOBJ old = ::SelectObject(dc, pen.Get());
        ::Polyline(dc, moved, count);
        ::SelectObject(dc, old);
    };
    polyline(kMark, 7, ::GetSysColor(COLOR_BTNTEXT));
    polyline(kLight, 5, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void DrawRadioMark(HDC dc, TPoint c) {
    TGdiHandle<HPEN> textPen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT)));
    TGdiHandle<HBRUSH> textBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNTEXT)));
    HGDIOBJ oldPen = ::SelectObject(dc, textPen.Get());
    HGDIOBJ oldBrush = ::SelectObject(dc, textBrush.Get());
    ::RoundRect(dc, c.X - 2, c.Y - 2, c.X + 3, c.Y + 3, 2, 2);
    TGdiHandle<HPEN> lightPen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT)));
    ::SelectObject(dc, lightPen.Get());
    ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, c.X - 3, c.Y - 3, c.X + 4, c.Y + 4, 6, 6);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
}

TSeparatorLine SeparatorLineFor(bool toolbarStyle, bool horizontalView, bool lineSeparator, bool floating) {
    if (lineSeparator) {
        if (toolbarStyle && horizontalView) return {false, floating ? 1 : 4};
        return {true, 4};
    }
    if (!toolbarStyle) return {false, 12};
    return {horizontalView, 0};
}

void DrawSeparatorLine(HDC dc, const TRect& r, TSeparatorLine line) {
    if (line.vertical) {
        const int x = (r.Left + r.Right) / 2;
        DrawEdgeRect(dc, TRect{x - 1, r.Top + line.shorten, x + 1, r.Bottom - line.shorten}, EDGE_ETCHED, BF_LEFT);
    } else {
        const int y = (r.Top + r.Bottom) / 2;
        DrawEdgeRect(dc, TRect{r.Left + line.shorten, y - 1, r.Right - line.shorten, y + 1}, EDGE_ETCHED, BF_TOP);
    }
}

void DrawChevronGlyph(HDC dc, const TRect& r, bool vertical, bool enabled) {
    // Leftmost pixel in the high bit. Horizontal: a double arrow pointing along the toolbar; vertical: two
    // arrows pointing down, one below the other.
    static constexpr std::array<std::uint8_t, 8> kAlong = {0xCC, 0x66, 0x33, 0x66, 0xCC, 0, 0, 0};
    static constexpr std::array<std::uint8_t, 8> kDown = {0x88, 0xD8, 0x70, 0x20, 0x88, 0xD8, 0x70, 0x20};
    const auto& rows = vertical ? kDown : kAlong;
    if (enabled) {
        BlitPattern(dc, r, rows, ::GetSysColor(COLOR_BTNTEXT), kRopBrushWhereSet);
    } else {
        BlitPattern(dc, TRect{r.Left, r.Top + 1, r.Right, r.Bottom + 1}, rows, ::GetSysColor(COLOR_BTNHIGHLIGHT),
                    kRopBrushWhereSet);
        BlitPattern(dc, r, rows, ::GetSysColor(COLOR_BTNSHADOW), kRopBrushWhereSet);
    }
}

void DrawPopupFrame(HDC dc, const TRect& windowRect, bool flatMenus, COLORREF windowColor) {
    RECT r = ToRECT(TRect{0, 0, windowRect.Width(), windowRect.Height()});
    if (!flatMenus) {
        ::DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_BTNSHADOW));
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(windowColor));
    for (int i = 0; i < 2; ++i) {
        ::InflateRect(&r, -1, -1);
        ::FrameRect(dc, &r, brush.Get());
    }
}

void DrawScrollArrows(HDC dc, const TRect& client, bool up, bool down) {
    const COLORREF color = ::GetSysColor(COLOR_MENUTEXT);
    const int x = client.Left + (client.Width() - 7) / 2;
    const int inset = (kMenuScrollArrowHeight - 4) / 2;
    for (int i = 0; i < 4; ++i) {
        // Row i of the up arrow is 2i + 1 wide; the down arrow is the same upside down.
        if (up) FillPixels(dc, x + 3 - i, client.Top + inset + i, x + 4 + i, client.Top + inset + i + 1, color);
        if (down) {
            const int y = client.Bottom - kMenuScrollArrowHeight + inset + i;
            FillPixels(dc, x + i, y, x + 7 - i, y + 1, color);
        }
    }
}

}  // namespace tb
