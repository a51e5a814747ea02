#include "app/core/KelvoPixelOps.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/Checked.h"

void MakeBGR(Byte* pixel, Byte r, Byte g, Byte b) {
    pixel[0] = b;
    pixel[1] = g;
    pixel[2] = r;
}

void BlendPixel(Byte* pixel, Byte alpha, std::uint32_t colour) {
    if (alpha == 0) return;
    const Byte c[3] = {Byte(colour & 0xFF), Byte((colour >> 8) & 0xFF), Byte((colour >> 16) & 0xFF)};
    if (alpha == 255) {
        std::memcpy(pixel, c, 3);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const std::int32_t p = pixel[i];
        // Right shift of a negative int is arithmetic in C++20.
        pixel[i] = Byte(p + ((std::int32_t(alpha) * (std::int32_t(c[i]) - p)) >> 8));
    }
}

std::int32_t ProportionalWidth(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    return MulDivRound(number, numerator, denominator);
}

std::int32_t ProportionalHeight(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    return MulDivRound(number, numerator, denominator);
}

bool FitProportional(std::int32_t w, std::int32_t h, std::int32_t maxW, std::int32_t maxH, std::int32_t& outW,
                     std::int32_t& outH) {
    if (maxW == 0 || maxH == 0) return false;
    // Nothing to scale: the MulDiv below would divide by zero and give -1.
    if (w == 0 && h == 0) return false;
    // h / maxH >= w / maxW, compared exactly.
    if (std::int64_t(h) * maxW >= std::int64_t(w) * maxH) {
        outH = maxH;
        outW = MulDivRound(w, maxH, h);
    } else {
        outW = maxW;
        outH = MulDivRound(h, maxW, w);
    }
    return true;
}

std::int32_t ClampInt(std::int32_t v, std::int32_t lo, std::int32_t hi) {
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

namespace {

// Square tiles keep both the rows read and the rows written of a quarter turn in the cache.
constexpr std::int32_t Tile = 64;

inline void Copy3(Byte* d, const Byte* s) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
}

template <class Place>
bool Turn(const TKelvoPixels& source, TKelvoPixelBuffer& dest, Place place) {
    if (source.Format() != KelvoFormatBGR24) return false;
    const std::int32_t w = source.Width(), h = source.Height();
    TKelvoPixelBuffer out(KelvoFormatBGR24, TKelvoRect{0, 0, h, w});
    if (w > 0 && h > 0) {
        const Byte* const base = source.Bits();
        const std::intptr_t sStride = source.Stride();
        Byte* const dBase = out.Bits();
        const std::intptr_t dStride = out.Stride();
        for (std::int32_t ty = 0; ty < h; ty += Tile) {
            const std::int32_t yEnd = std::min(ty + Tile, h);
            for (std::int32_t tx = 0; tx < w; tx += Tile) {
                const std::int32_t xEnd = std::min(tx + Tile, w);
                // Walk the destination rows of this tile in order.
                for (std::int32_t x = tx; x < xEnd; ++x) {
                    for (std::int32_t y = ty; y < yEnd; ++y) {
                        const auto [dx, dy] = place(x, y, w, h);
                        Copy3(dBase + dy * dStride + std::intptr_t(dx) * 3, base + y * sStride + std::intptr_t(x) * 3);
                    }
                }
            }
        }
    }
    dest.Swap(out);
    return true;
}

struct XY {
    std::int32_t x, y;
};

}  // namespace

bool RotatePixelsLeft(const TKelvoPixels& source, TKelvoPixelBuffer& dest) {
    return Turn(source, dest, [](std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t) {
        return XY{y, w - 1 - x};
    });
}

bool RotatePixelsRight(const TKelvoPixels& source, TKelvoPixelBuffer& dest) {
    return Turn(source, dest, [](std::int32_t x, std::int32_t y, std::int32_t, std::int32_t h) {
        return XY{h - 1 - y, x};
    });
}

bool FlipPixelsHorizontal(const TKelvoPixels& source, TKelvoPixelBuffer& dest) {
    if (source.Format() != KelvoFormatBGR24) return false;
    const std::int32_t w = source.Width(), h = source.Height();
    TKelvoPixelBuffer out(KelvoFormatBGR24, TKelvoRect{0, 0, w, h});
    for (std::int32_t y = 0; y < h; ++y) {
        const Byte* s = source.Bits() + std::intptr_t(y) * source.Stride();
        Byte* d = out.Bits() + std::intptr_t(y) * out.Stride() + std::intptr_t(w - 1) * 3;
        for (std::int32_t x = 0; x < w; ++x, s += 3, d -= 3) Copy3(d, s);
    }
    dest.Swap(out);
    return true;
}

bool FlipPixelsVertical(const TKelvoPixels& source, TKelvoPixelBuffer& dest) {
    if (source.Format() != KelvoFormatBGR24) return false;
    const std::int32_t w = source.Width(), h = source.Height();
    TKelvoPixelBuffer out(KelvoFormatBGR24, TKelvoRect{0, 0, w, h});
    const std::size_t rowBytes = std::size_t(w) * 3;
    for (std::int32_t y = 0; y < h; ++y) {
        std::memcpy(out.Bits() + std::intptr_t(h - 1 - y) * out.Stride(),
                    source.Bits() + std::intptr_t(y) * source.Stride(), rowBytes);
    }
    dest.Swap(out);
    return true;
}
