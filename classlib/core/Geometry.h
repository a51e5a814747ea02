// Points, sizes and rectangles in integer device units. The layouts match the system's POINT, SIZE and RECT,
// so window code can pass them to the system by address.
#pragma once
#include <cstdint>

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    std::int32_t Width() const { return Right - Left; }
    std::int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return TPoint{Left, Top}; }
    TPoint BottomRight() const { return TPoint{Right, Bottom}; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(std::int32_t x, std::int32_t y) { return TPoint{x, y}; }
inline TRect Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    return TRect{left, top, right, bottom};
}
inline TRect Bounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    return TRect{left, top, left + width, top + height};
}
