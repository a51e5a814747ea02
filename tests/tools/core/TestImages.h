// Small 24-bit test images for the correction tests.
#pragma once
#include <memory>
#include <random>

#include "app/core/TKelvoPixelBuffer.h"

namespace toolstest {

inline std::unique_ptr<TKelvoPixelBuffer> MakeImage(int w, int h, Byte value) {
    auto b = std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, MakeRect(0, 0, w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) b->Row(y)[x] = value;
    return b;
}

inline std::unique_ptr<TKelvoPixelBuffer> MakeNoise(int w, int h, unsigned seed) {
    auto b = std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, MakeRect(0, 0, w, h));
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) b->Row(y)[x] = Byte(rng());
    return b;
}

inline void SetPixel(TKelvoPixelBuffer& b, int x, int y, Byte v) {
    Byte* p = b.PixelAddress(x, y);
    p[0] = p[1] = p[2] = v;
}

// True when both hold the same pixels (row padding ignored).
inline bool SamePixels(const TKelvoPixels& a, const TKelvoPixels& b) {
    if (!(a.GetBounds() == b.GetBounds())) return false;
    for (int y = a.Top(); y < a.Top() + a.Height(); ++y)
        for (int x = 0; x < a.Width() * 3; ++x)
            if (a.Row(y)[x] != b.Row(y)[x]) return false;
    return true;
}

}  // namespace toolstest
