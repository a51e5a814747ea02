// Integer points and rectangles of the image editor. A rectangle is half-open: it covers
// Left <= x < Right and Top <= y < Bottom. Every sum and product in the helpers is checked and raises
// EIntOverflow instead of wrapping.
//
// A point is the class library's TPoint. The editor's rectangle is a type of its own beside TRect because its
// sides may lie anywhere in the int32 range (image coordinates after a mapping, a whole-range clip), so its
// width and height are 64-bit: TRect's 32-bit Right - Left would overflow there.
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"

using TKelvoPoint = TPoint;

struct TKelvoRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    // Sizes in 64 bits: a rectangle spanning the whole int32 range must not overflow here.
    std::int64_t Width() const { return std::int64_t(Right) - Left; }
    std::int64_t Height() const { return std::int64_t(Bottom) - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TKelvoRect&, const TKelvoRect&) = default;
};

inline TKelvoPoint MakePoint(std::int32_t x, std::int32_t y) { return TKelvoPoint{x, y}; }

inline TKelvoRect MakeRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    return TKelvoRect{left, top, right, bottom};
}

// The common part of a and b; an empty rectangle (all zero) when they do not overlap.
inline TKelvoRect IntersectRects(const TKelvoRect& a, const TKelvoRect& b) {
    TKelvoRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
                 a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    if (r.IsEmpty()) return TKelvoRect{};
    return r;
}

// 0 when a and b do not overlap, 2 when a lies wholly inside b, 1 when they overlap partly.
int CompareRectInside(const TKelvoRect& a, const TKelvoRect& b);
// (left - dx, top - dy, right + dx, bottom + dy).
TKelvoRect InflateRectBy(const TKelvoRect& rect, std::int32_t dx, std::int32_t dy);
// The largest rectangle of the source's aspect ratio inside destination, centred; a tie fills the height;
// a source side of 0 counts as 1.
TKelvoRect FitAspectRect(const TKelvoRect& source, const TKelvoRect& destination);
// inner moved so that its centre is the centre of outer (division truncates towards zero); size kept.
TKelvoRect CenterRect(const TKelvoRect& inner, const TKelvoRect& outer);
