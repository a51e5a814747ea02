// The rotate and flip tool's operations as one orientation: quarter turns and a mirror combined, the size
// and pixel position they give, the inverse of each operation for undo, and the preview's geometry.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"

// Operation codes as kept in the undo step.
constexpr std::uint8_t RotateOpLeft = 1;            // counter-clockwise
constexpr std::uint8_t RotateOpRight = 2;           // clockwise
constexpr std::uint8_t RotateOpFlipHorizontal = 3;  // left and right exchanged
constexpr std::uint8_t RotateOpFlipVertical = 4;    // top and bottom exchanged

// The operation that undoes op: the turns undo each other, a flip undoes itself. 0 for an unknown code.
std::uint8_t InverseRotateOp(std::uint8_t op);

// A pixel at (x, y) goes to the mirror (x -> W - 1 - x) when Mirrored, then Turns clockwise quarter turns.
struct TOrientation {
    int Turns = 0;  // 0 .. 3
    bool Mirrored = false;
    friend bool operator==(const TOrientation&, const TOrientation&) = default;
};

// orientation followed by op (unknown codes change nothing).
TOrientation ComposeRotateOp(TOrientation orientation, std::uint8_t op);
// The size of a width x height image after orientation.
TSize OrientedSize(TOrientation orientation, std::int32_t width, std::int32_t height);
// Where the source pixel p of a width x height image lands.
TKelvoPoint OrientedPoint(TOrientation orientation, std::int32_t width, std::int32_t height, TKelvoPoint p);

// The thumbnail fits a square two pixels inside the smaller side of the preview box; 0 when nothing fits.
std::int32_t ThumbnailSide(std::int32_t viewWidth, std::int32_t viewHeight);
// The top-left of a preview centred in the view (div truncating).
TKelvoPoint PreviewOffset(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t previewWidth,
                          std::int32_t previewHeight);
