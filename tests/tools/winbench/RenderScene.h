// The scene both render benchmarks time: a 6000 x 4000 24-bit photograph-sized image corrected by a vertical
// keystone as the perspective tool makes it from two converging plumb lines (the top narrowed by e, shifted by
// s), so that the figures of the host build and of the Windows build can be set side by side.
#pragma once
#include <cstdint>

#include "app/core/TKelvoPixelBuffer.h"
#include "tools/core/TKelvoPerspectiveMapping.h"

namespace renderscene {

constexpr int W = 6000;
constexpr int H = 4000;
constexpr double e = 0.9;
constexpr double s = 30.0;
// The lens coefficient of the runs with lens correction (a manual value of -50).
constexpr double LensK = 0.05;

// The keystone record: a homography of the output onto the source.
inline TTransformRecord KeystoneRecord() {
    TTransformRecord r;
    r.Kind = TransformVerticalKeystone;
    r.M11 = e;
    r.M13 = s;
    r.M12 = -2 * s / H;
    r.M22 = 1;
    r.M23 = 0;
    r.P = 2 * (1 - e) / H;
    r.Q = 2 / e - 2;
    return r;
}

inline TKelvoPerspectiveMapping KeystoneMapping() {
    TKelvoPerspectiveMapping m;
    m.RefWidth = W;
    m.RefHeight = H;
    m.History.push_back(KeystoneRecord());
    m.Quality = 2;
    return m;
}

// Gradients, a checkerboard and fine texture.
inline void Fill(TKelvoPixels& b) {
    for (int y = 0; y < H; ++y) {
        Byte* row = b.Row(y);
        for (int x = 0; x < W; ++x) {
            row[3 * x + 0] = Byte((x * 7 + y * 3) & 0xFF);
            row[3 * x + 1] = Byte(((x / 16 + y / 16) & 1) ? 230 : 20);
            row[3 * x + 2] = Byte((x ^ y) & 0xFF);
        }
    }
}

// FNV-1a over the pixels: a change of the render's bytes shows as a change of this number between builds.
inline std::uint64_t Hash(const TKelvoPixels& b) {
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < 3 * b.Width(); ++x) h = (h ^ b.Row(y)[x]) * 1099511628211ull;
    return h;
}

}  // namespace renderscene
