// Integer points and rectangles of the image editor. A rectangle is half-open: it covers
// Left <= x < Right and Top <= y < Bottom.
#pragma once
#include <cstdint>

struct TKelvoPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TKelvoPoint&, const TKelvoPoint&) = default;
};

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
