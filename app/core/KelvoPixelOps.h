// Pixel helpers of the raster core: colour bytes, blending, proportional sizes, quarter turns and flips.
#pragma once
#include <cstdint>

#include "app/core/TKelvoPixelBuffer.h"
#include "app/core/TKelvoPixels.h"

// Writes blue, green, red to pixel[0..2].
void MakeBGR(Byte* pixel, Byte r, Byte g, Byte b);

// Blends colour (0xRRGGBB) over a 24-bit pixel: alpha 0 leaves it, 255 replaces it, otherwise each channel
// becomes p + ((alpha x (c - p)) >> 8) with an arithmetic shift.
void BlendPixel(Byte* pixel, Byte alpha, std::uint32_t colour);

// number x numerator / denominator, rounded as the system's MulDiv (-1 on a zero denominator or overflow).
std::int32_t ProportionalWidth(std::int32_t number, std::int32_t numerator, std::int32_t denominator);
std::int32_t ProportionalHeight(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

// Scales (w, h) to fit (maxW, maxH) keeping the aspect ratio, enlarging as well as shrinking; a tie fills
// the height. False, with the outputs untouched, when a maximum is 0 or both sides are 0.
bool FitProportional(std::int32_t w, std::int32_t h, std::int32_t maxW, std::int32_t maxH, std::int32_t& outW,
                     std::int32_t& outH);

// lo when v < lo, hi when v > hi, else v.
std::int32_t ClampInt(std::int32_t v, std::int32_t lo, std::int32_t hi);

// Quarter turns and mirrors of 24-bit pixels into a new buffer placed at (0, 0). They return false and
// leave dest alone for any other format. Coordinates below are relative to the source's bounds, W x H.
// Left (counter-clockwise): (x, y) -> (y, W - 1 - x).
bool RotatePixelsLeft(const TKelvoPixels& source, TKelvoPixelBuffer& dest);
// Right (clockwise): (x, y) -> (H - 1 - y, x).
bool RotatePixelsRight(const TKelvoPixels& source, TKelvoPixelBuffer& dest);
// (x, y) -> (W - 1 - x, y).
bool FlipPixelsHorizontal(const TKelvoPixels& source, TKelvoPixelBuffer& dest);
// (x, y) -> (x, H - 1 - y).
bool FlipPixelsVertical(const TKelvoPixels& source, TKelvoPixelBuffer& dest);
