// Per-pixel arithmetic of the alpha bitmaps, free of any drawing context. A pixel is 32 bits: alpha in
// bits 24-31, red 16-23, green 8-15, blue 0-7; alpha is straight (colours are not premultiplied).
#pragma once
#include <cstdint>

namespace themed {

// round(i x 255 / a) for i below a, else 255 (row 0 is all 255); ties to even.
std::uint8_t AlphaDivide(unsigned a, unsigned i);
// round(i x a / 255); ties to even.
std::uint8_t AlphaMultiply(unsigned a, unsigned i);

// Source over destination: alpha 0 leaves the destination, alpha 255 replaces it; otherwise each colour
// channel is (src x w + dst x (256 - w) + 127) / 256 with w = alpha + alpha / 128, and the result's alpha
// byte is 0.
std::uint32_t BlendPixel(std::uint32_t src, std::uint32_t dst);
// The same with the source alpha first scaled by a constant alpha (0-255).
std::uint32_t BlendPixel(std::uint32_t src, std::uint32_t dst, unsigned constantAlpha);
// Blends count pixels of src over dst in place.
void BlendRow(const std::uint32_t* src, std::uint32_t* dst, int count, unsigned constantAlpha);

// The alpha of an image recovered from two drawings of it, on opaque black (onBlack) and on opaque white
// (onWhite).
std::uint32_t DeriveAlphaPixel(std::uint32_t onBlack, std::uint32_t onWhite);

// The alpha of the mask that draws a pixel in the embossed disabled form.
std::uint8_t DisabledMaskAlpha(std::uint32_t pixel);

// The number of images an image strip grows by: a step that would take more than 1 MiB at once is cut
// down, a step of 0 or less gives about 16 KiB per growth.
int DIBListGrowStep(int step, int width, int height);

}  // namespace themed
