// Bicubic sampling of 24-bit BGR pixels: two-dimensional cubic Lagrange interpolation over the 4x4
// neighbourhood, in integer arithmetic with a precomputed weight table.
#pragma once
#include <cstdint>

#include "app/core/TKelvoPixels.h"
#include "classlib/core/PixelPlumbing.h"
#include "classlib/core/Types.h"

// A 24-bit colour in memory order.
struct TBGRPixel {
    Byte B = 0;
    Byte G = 0;
    Byte R = 0;
    friend bool operator==(const TBGRPixel&, const TBGRPixel&) = default;
};

// What a position outside the source image samples.
constexpr TBGRPixel OutsideColour{0xFF, 0xFF, 0xFF};

// Fixed-point scale of the weights: a weight is round(w * BicubicScale), and the sums are divided by it.
constexpr int BicubicScale = 16348;
// Multiplying a sum s (as float) by this and truncating gives s / BicubicScale exactly for 0 <= s < 2^23, a
// range that holds every sum of 255 times the positive weights of an entry: the vector sampler's replacement
// for a division.
constexpr float BicubicInverseScale = 1.0f / BicubicScale;
// Fractions are taken in steps of 1/64, so 65 table rows and columns (0..64 inclusive).
constexpr int BicubicSteps = 64;

// Entry [fy][fx] holds the 16 weights of the 4x4 neighbourhood in row-major order: row offsets -1, 0, 1, 2
// from the integer y; within a row, column offsets -1, 0, 1, 2 from the integer x.
struct TBicubicWeightTable {
    std::int16_t Weights[BicubicSteps + 1][BicubicSteps + 1][16];
};

// The table, built once on first use (thread-safe).
const TBicubicWeightTable& BicubicWeights();

// The cubic Lagrange basis over the nodes -1, 0, 1, 2 at fraction t, in extended precision.
long double BicubicBasis(int node, long double t);

// The colour at (y, x) of a 24-bit image (image coordinates; the caller passes y, x >= 0). Rows or
// columns of the neighbourhood outside the image contribute OutsideColour. A position that is not
// finite, negative or beyond the int32 range samples OutsideColour.
TBGRPixel BicubicSample(const TKelvoPixels& image, double y, double x);

namespace bicubic_detail {
// Weighted sum of a 4x4 neighbourhood given as four rows of four 3-byte pixels; writes 3 bytes to out.
inline void Combine(const std::int16_t* w, const Byte* r0, const Byte* r1, const Byte* r2, const Byte* r3, Byte* out) {
    const Byte* rows[4] = {r0, r1, r2, r3};
    std::int32_t sb = 0, sg = 0, sr = 0;
    for (int r = 0; r < 4; ++r) {
        const Byte* p = rows[r];
        const std::int16_t* wr = w + r * 4;
        sb += wr[0] * p[0] + wr[1] * p[3] + wr[2] * p[6] + wr[3] * p[9];
        sg += wr[0] * p[1] + wr[1] * p[4] + wr[2] * p[7] + wr[3] * p[10];
        sr += wr[0] * p[2] + wr[1] * p[5] + wr[2] * p[8] + wr[3] * p[11];
    }
    // Truncation toward zero, then clamping to a byte.
    out[0] = ClampByte(sb / BicubicScale);
    out[1] = ClampByte(sg / BicubicScale);
    out[2] = ClampByte(sr / BicubicScale);
}

// Samples at integer position (iy, ix) with table indexes (ty, tx); the neighbourhood may reach outside
// the image. Writes 3 bytes to out.
void SampleAt(const TKelvoPixels& image, std::int32_t iy, std::int32_t ix, int ty, int tx, Byte* out);
}  // namespace bicubic_detail
