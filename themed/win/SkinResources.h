// Drawing services the themes and themed items share for the whole run: a few drawing objects rebuilt on
// every system change, a cache of brushes and pens, the optional blending functions of the system, and the
// gradient fill with its own line-by-line fallback.
//
// UpdateLayeredWindow (user32), AlphaBlend and GradientFill (msimg32) are bound by name when the unit starts;
// each may be missing. Start-up: RegisterSkinResourcesUnit() before classlib::Startup().
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "classlib/core/TColor.h"
#include "classlib/core/TObject.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/Win32.h"

class TDIB32;

namespace skin {

struct TSharedDrawingObjects {
    TGdiHandle<HBITMAP> bitmap32a, bitmap32b;  // 32-bit scratch bitmaps, compatible with the screen
    TGdiHandle<HBITMAP> monoBitmap;
    TGdiHandle<HBITMAP> checker8x8;      // the 8 x 8 two-colour checker of dithered fills
    TGdiHandle<HFONT> smallCaptionFont;  // null when the system metrics cannot be read
    TObjectPtr<TDIB32> scratchA, scratchB;
    HDC screenCompatibleDC = nullptr;  // with bitmap32a selected: the display's nearest colours
    HGDIOBJ oldBitmap = nullptr;
};
// Null before the unit starts and after it stops.
TSharedDrawingObjects* SharedDrawingObjects();
// Frees the shared objects and makes them again (the theme manager's system update).
void RebuildSharedDrawingObjects();

// A cache of up to 16 entries of up to 8 brushes or pens each, found by two keys (for instance a colour and
// a style); a full cache reuses its entries in turn. Emptying deletes every object.
HGDIOBJ CachedDrawingObject(std::uint32_t key1, std::uint32_t key2, int slot,
                            HGDIOBJ (*make)(std::uint32_t, std::uint32_t));
void EmptyDrawingObjectCache();
int DrawingObjectCount();  // objects held (tests)

// The bound system functions; null when missing.
using TUpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TAlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using TGradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
TUpdateLayeredWindowFn BoundUpdateLayeredWindow();
TAlphaBlendFn BoundAlphaBlend();
TGradientFillFn BoundGradientFill();
// Tests: pretend some functions are missing (false hides it); all true restores the bound ones.
void SetBlendFunctionsAvailable(bool updateLayeredWindow, bool alphaBlend, bool gradientFill);

// Fills rect from start to end colour across it (horizontal, direction 0) or down it (vertical, 1): the
// system gradient when present, else one-pixel lines of cached ramps limited to the clip box. Nothing when
// no part of rect is visible.
void GradientFill(HDC dc, const TRect& rect, TColor startColor, TColor endColor, int direction);

}  // namespace skin

void RegisterSkinResourcesUnit();
