// Pixels for the image-file tests: a pattern that survives JPEG within a few levels, and the largest channel
// difference between two images of one size.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoPixels.h"

namespace pixeltest {

// A smooth pattern with a different value in every channel.
inline void FillGradient(TKelvoPixels& p) {
    for (std::int32_t y = 0; y < p.Height(); ++y)
        for (std::int32_t x = 0; x < p.Width(); ++x)
            MakeBGR(p.PixelAddress(x, y), Byte(40 + x * 4), Byte(60 + y * 5), Byte(180 - x * 2 - y * 2));
}

inline int MaxDifference(const TKelvoPixels& a, const TKelvoPixels& b) {
    int worst = 0;
    for (std::int32_t y = 0; y < a.Height(); ++y)
        for (std::int32_t x = 0; x < a.Width(); ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(int(a.PixelAddress(x, y)[c]) - int(b.PixelAddress(x, y)[c])));
    return worst;
}

}  // namespace pixeltest
