#include "themed/win/SkinResources.h"

#include <algorithm>
#include <array>
#include <memory>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/WindowDC.h"
#include "themed/core/SkinColorMath.h"
#include "themed/win/TDIB32.h"

namespace skin {

namespace {

std::unique_ptr<TSharedDrawingObjects> shared;

struct TBound {
    HMODULE msimg = nullptr;
    TUpdateLayeredWindowFn updateLayeredWindow = nullptr;
    TAlphaBlendFn alphaBlend = nullptr;
    TGradientFillFn gradientFill = nullptr;
    bool hideUlw = false, hideAlpha = false, hideGradient = false;
} bound;

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

void BindFunctions() {
    bound.updateLayeredWindow = Lookup<TUpdateLayeredWindowFn>(::GetModuleHandleA("user32.dll"), "UpdateLayeredWindow");
    bound.msimg = ::LoadLibraryA("msimg32.dll");
    bound.alphaBlend = Lookup<TAlphaBlendFn>(bound.msimg, "AlphaBlend");
    bound.gradientFill = Lookup<TGradientFillFn>(bound.msimg, "GradientFill");
}

void UnbindFunctions() {
    bound.updateLayeredWindow = nullptr;
    bound.alphaBlend = nullptr;
    bound.gradientFill = nullptr;
    if (bound.msimg) ::FreeLibrary(bound.msimg);
    bound.msimg = nullptr;
}

// The small-caption font of the system's non-client metrics (the wide structure: its size is the one the
// system of this build expects); null when the query fails.
HFONT MakeSmallCaptionFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
    return ::CreateFontIndirectW(&metrics.lfSmCaptionFont);
}

void CreateShared() {
    shared = std::make_unique<TSharedDrawingObjects>();
    TSharedDrawingObjects* s = shared.get();
    TWindowDC screen;
    s->bitmap32a.Reset(::CreateCompatibleBitmap(screen.Get(), 1, 1));
    s->bitmap32b.Reset(::CreateCompatibleBitmap(screen.Get(), 1, 1));
    s->monoBitmap.Reset(::CreateBitmap(1, 1, 1, 1, nullptr));
    static const WORD checker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    s->checker8x8.Reset(::CreateBitmap(8, 8, 1, 1, checker));
    s->smallCaptionFont.Reset(MakeSmallCaptionFont());
    s->scratchA = MakeObject<TDIB32>();
    s->scratchB = MakeObject<TDIB32>();
    s->screenCompatibleDC = ::CreateCompatibleDC(screen.Get());
    if (s->screenCompatibleDC) s->oldBitmap = ::SelectObject(s->screenCompatibleDC, s->bitmap32a.Get());
}

void FreeShared() {
    if (!shared) return;
    if (shared->screenCompatibleDC) {
        ::SelectObject(shared->screenCompatibleDC, shared->oldBitmap);
        ::DeleteDC(shared->screenCompatibleDC);
    }
    shared.reset();
}

struct TCacheEntry {
    std::uint32_t key1 = 0xFFFFFFFFu, key2 = 0xFFFFFFFFu;
    std::array<HGDIOBJ, 8> objects{};
};
std::array<TCacheEntry, 16> cache;
int nextEntry = 0;

}  // namespace

TSharedDrawingObjects* SharedDrawingObjects() { return shared.get(); }

void RebuildSharedDrawingObjects() {
    FreeShared();
    CreateShared();
}

HGDIOBJ CachedDrawingObject(std::uint32_t key1, std::uint32_t key2, int slot,
                            HGDIOBJ (*make)(std::uint32_t, std::uint32_t)) {
    if (slot < 0 || slot >= 8) return nullptr;
    TCacheEntry* entry = nullptr;
    for (TCacheEntry& e : cache) {
        if (e.key1 == key1 && e.key2 == key2) entry = &e;
    }
    if (!entry) {
        entry = &cache[std::size_t(nextEntry)];
        nextEntry = (nextEntry + 1) % int(cache.size());
        for (HGDIOBJ& o : entry->objects) {
            if (o) ::DeleteObject(o);
            o = nullptr;
        }
        entry->key1 = key1;
        entry->key2 = key2;
    }
    HGDIOBJ& object = entry->objects[std::size_t(slot)];
    if (!object) object = make(key1, key2);
    return object;
}

void EmptyDrawingObjectCache() {
    for (TCacheEntry& e : cache) {
        for (HGDIOBJ& o : e.objects) {
            if (o) ::DeleteObject(o);
            o = nullptr;
        }
        e.key1 = e.key2 = 0xFFFFFFFFu;
    }
    nextEntry = 0;
}

int DrawingObjectCount() {
    int n = 0;
    for (const TCacheEntry& e : cache)
        n += int(std::count_if(e.objects.begin(), e.objects.end(), [](HGDIOBJ o) { return o != nullptr; }));
    return n;
}

TUpdateLayeredWindowFn BoundUpdateLayeredWindow() { return bound.hideUlw ? nullptr : bound.updateLayeredWindow; }
TAlphaBlendFn BoundAlphaBlend() { return bound.hideAlpha ? nullptr : bound.alphaBlend; }
TGradientFillFn BoundGradientFill() { return bound.hideGradient ? nullptr : bound.gradientFill; }

void SetBlendFunctionsAvailable(bool updateLayeredWindow, bool alphaBlend, bool gradientFill) {
    bound.hideUlw = !updateLayeredWindow;
    bound.hideAlpha = !alphaBlend;
    bound.hideGradient = !gradientFill;
}

void GradientFill(HDC dc, const TRect& rect, TColor startColor, TColor endColor, int direction) {
    if (rect.IsEmpty()) return;
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (!::RectVisible(dc, &r)) return;
    const std::uint32_t a = std::uint32_t(ColorToRGB(startColor));
    const std::uint32_t b = std::uint32_t(ColorToRGB(endColor));
    const bool vertical = direction == 1;
    if (TGradientFillFn fill = BoundGradientFill()) {
        auto channel = [](std::uint32_t c, int shift) { return COLOR16(((c >> shift) & 0xFF) << 8); };
        TRIVERTEX v[2] = {{rect.Left, rect.Top, channel(a, 0), channel(a, 8), channel(a, 16), 0},
                          {rect.Right, rect.Bottom, channel(b, 0), channel(b, 8), channel(b, 16), 0}};
        GRADIENT_RECT g{0, 1};
        fill(dc, v, 2, &g, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        return;
    }
    // Only the lines inside the clip box are filled, each colour computed on its own: nothing is allocated
    // for lines that are not drawn.
    RECT clip{};
    if (::GetClipBox(dc, &clip) == ERROR) clip = r;
    const int n = vertical ? rect.Height() : rect.Width();
    const int first = std::max(0, int(vertical ? clip.top - rect.Top : clip.left - rect.Left));
    const int last = std::min(n, int(vertical ? clip.bottom - rect.Top : clip.right - rect.Left));
    for (int i = first; i < last; ++i) {
        TGdiHandle<HBRUSH> brush(::CreateSolidBrush(RampColor(n, i, a, b)));
        RECT line = vertical ? RECT{rect.Left, rect.Top + i, rect.Right, rect.Top + i + 1}
                             : RECT{rect.Left + i, rect.Top, rect.Left + i + 1, rect.Bottom};
        ::FillRect(dc, &line, brush.Get());
    }
}

}  // namespace skin

void RegisterSkinResourcesUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit(
        "SkinResources",
        [] {
            skin::BindFunctions();
            skin::CreateShared();
        },
        [] {
            skin::EmptyDrawingObjectCache();
            skin::FreeShared();
            skin::UnbindFunctions();
        },
        210);
}
