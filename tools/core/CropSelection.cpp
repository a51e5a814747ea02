#include "tools/core/CropSelection.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "classlib/core/Checked.h"
#include "tools/core/ToolHandles.h"

namespace {
constexpr std::array<std::string_view, 20> PrintPresets = {
    "3x4",   "4x3",   "4x6",   "6x4",   "5x5",   "6x9",   "9x6",   "9x12",  "9x13",  "12x9",
    "10x15", "15x10", "13x18", "18x13", "15x20", "20x15", "20x30", "30x20", "30x40", "40x30"};
constexpr std::array<std::string_view, 6> ScreenPresets = {"4x3", "5x3", "5x4", "12x7", "16x9", "16x10"};

// A side position computed in 64 bits, held inside int32 so that extreme ratios cannot wrap.
std::int32_t Saturate(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

// round(length x num / den), ties to even, bounded so the rounding cannot raise.
std::int64_t ScaledLength(std::int64_t length, std::int32_t num, std::int32_t den) {
    const double v = std::clamp(double(length) * num / den, -1e9, 1e9);
    return RoundEven(v);
}

bool Inside(const TKelvoRect& r, const TKelvoRect& area) { return !r.IsEmpty() && CompareRectInside(r, area) == 2; }

TKelvoRect TakeCandidate(const TKelvoRect& candidate, const TKelvoRect& imageArea, TCropRatio ratio,
                         const TKelvoRect& current) {
    if (candidate.IsEmpty()) return current;
    if (Inside(candidate, imageArea)) return candidate;
    if (ratio.IsFree()) {
        const TKelvoRect clipped = IntersectRects(candidate, imageArea);
        if (!clipped.IsEmpty()) return clipped;
    }
    return current;
}
}  // namespace

std::int32_t CropRatioGcd(std::int32_t a, std::int32_t b) {
    if (a == 0 || b == 0) return 0;
    a = std::abs(a);
    b = std::abs(b);
    while (a != 0 && b != 0) {
        if (a > b)
            a %= b;
        else
            b %= a;
    }
    return a + b;
}

TCropRatio ReduceCropRatio(std::int32_t a, std::int32_t b) {
    // Either side 0 would make the gcd 0 and the division below crash; such a ratio fixes no shape.
    if (a <= 0 || b <= 0) return {};
    const std::int32_t g = CropRatioGcd(a, b);
    return TCropRatio{a / g, b / g};
}

TCropRatio CropRatioFromEdits(std::optional<std::int32_t> width, std::optional<std::int32_t> height) {
    if (!width || !height) return {};
    return ReduceCropRatio(*width, *height);
}

TCropRatio ParseCropPreset(std::string_view item) {
    const auto x = item.find('x');
    if (x == std::string_view::npos) return {};
    auto number = [](std::string_view s, std::int32_t& v) {
        const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        return !s.empty() && r.ec == std::errc{} && r.ptr == s.data() + s.size();
    };
    std::int32_t a = 0, b = 0;
    if (!number(item.substr(0, x), a) || !number(item.substr(x + 1), b)) return {};
    return ReduceCropRatio(a, b);
}

std::span<const std::string_view> CropPrintPresets() { return PrintPresets; }
std::span<const std::string_view> CropScreenPresets() { return ScreenPresets; }

TCropFrameVisibility CropFrameVisibility(bool optionsShown, TCropRatioMode mode) {
    if (!optionsShown) return {};
    return TCropFrameVisibility{true, mode == TCropRatioMode::Free, mode == TCropRatioMode::Print,
                                mode == TCropRatioMode::Screen, mode == TCropRatioMode::Screen};
}

TKelvoRect ConstrainCropRect(const TKelvoRect& rect, int part, TCropRatio ratio) {
    if (ratio.IsFree()) return rect;
    TKelvoRect r = rect;
    const std::int32_t rw = ratio.Width, rh = ratio.Height;
    switch (part) {
        case PartTop:
        case PartTopRight:
        case PartBottom: r.Right = Saturate(r.Left + ScaledLength(r.Height(), rw, rh)); break;
        case PartRight:
        case PartTopLeft: r.Top = Saturate(r.Bottom - ScaledLength(r.Width(), rh, rw)); break;
        case PartBottomRight: r.Bottom = Saturate(r.Top + ScaledLength(r.Width(), rh, rw)); break;
        case PartBottomLeft: r.Left = Saturate(r.Right - ScaledLength(r.Height(), rw, rh)); break;
        // Whole multiples of the ratio here, unlike the other handles: a width below the ratio's width
        // gives an empty selection, which the caller refuses.
        case PartLeft: r.Top = Saturate(r.Bottom - (r.Width() / rw) * rh); break;
        default: break;
    }
    return r;
}

TKelvoRect DragNewCropRect(TKelvoPoint anchor, TKelvoPoint pointer, const TKelvoRect& imageArea, TCropRatio ratio,
                           const TKelvoRect& current) {
    const bool right = pointer.X >= anchor.X;
    const bool down = pointer.Y >= anchor.Y;
    const int corner = right ? (down ? PartBottomRight : PartTopRight) : (down ? PartBottomLeft : PartTopLeft);
    const TKelvoRect candidate = ConstrainCropRect(NormalizedRect(anchor, pointer), corner, ratio);
    return IntersectRects(TakeCandidate(candidate, imageArea, ratio, current), imageArea);
}

TKelvoRect MoveCropRect(const TKelvoRect& start, std::int32_t dx, std::int32_t dy, const TKelvoRect& imageArea) {
    const std::int64_t w = start.Width(), h = start.Height();
    std::int64_t left = std::int64_t(start.Left) + dx, top = std::int64_t(start.Top) + dy;
    left = std::max<std::int64_t>(std::min<std::int64_t>(left, imageArea.Right - w), imageArea.Left);
    top = std::max<std::int64_t>(std::min<std::int64_t>(top, imageArea.Bottom - h), imageArea.Top);
    return MakeRect(Saturate(left), Saturate(top), Saturate(left + w), Saturate(top + h));
}

TKelvoRect DragCropHandle(const TKelvoRect& start, int part, std::int32_t dx, std::int32_t dy,
                          const TKelvoRect& imageArea, TCropRatio ratio, const TKelvoRect& current) {
    const TKelvoRect candidate = ConstrainCropRect(DragBox(start, part, dx, dy), part, ratio);
    return IntersectRects(TakeCandidate(candidate, imageArea, ratio, current), imageArea);
}

void DarkenOutside(const TKelvoPixels& pixels, const TKelvoRect& keep) {
    const std::int32_t bpp = pixels.BytesPerPixel();
    const std::int32_t colourBytes = std::min<std::int32_t>(bpp, 3);
    const TKelvoRect b = pixels.GetBounds();
    for (std::int32_t y = b.Top; y < b.Bottom; ++y) {
        const bool rowKept = y >= keep.Top && y < keep.Bottom;
        for (std::int32_t x = b.Left; x < b.Right; ++x) {
            if (rowKept && x >= keep.Left && x < keep.Right) continue;
            std::uint8_t* p = pixels.PixelAddress(x, y);
            for (std::int32_t k = 0; k < colourBytes; ++k) p[k] = DarkenCropByte(p[k]);
        }
    }
}
