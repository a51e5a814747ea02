#include <gtest/gtest.h>

#include <cstdint>

#include "TestImages.h"
#include "tools/core/TKelvoPerspectiveMapping.h"

namespace {
using toolstest::MakeImage;
using toolstest::MakeNoise;

constexpr int W = 97;  // odd, so that the row loops end in a single position
constexpr int H = 61;

TTransformRecord Keystone(Byte kind, double e, double shift) {
    TTransformRecord r;
    r.Kind = kind;
    const double size = kind == TransformVerticalKeystone ? H : W;
    if (kind == TransformVerticalKeystone) {
        r.M11 = e, r.M13 = shift, r.M12 = -2 * shift / size;
    } else {
        r.M22 = e, r.M23 = shift, r.M21 = -2 * shift / size;
    }
    r.P = 2 * (1 - e) / size;
    r.Q = 2 / e - 2;
    return r;
}

// The corrections the render is checked with: each row path of the mapping and of the lens term.
TKelvoPerspectiveMapping Correction(int which) {
    TKelvoPerspectiveMapping m;
    m.RefWidth = W;
    m.RefHeight = H;
    m.Quality = 2;
    switch (which) {
        case 0: m.History = {Keystone(TransformVerticalKeystone, 0.9, 3)}; break;
        case 1:
            m.History = {Keystone(TransformVerticalKeystone, 0.9, 3)};
            m.LensOn = true, m.LensK = 0.05;
            break;
        case 2:
            m.History = {Keystone(TransformHorizontalKeystone, 0.85, -2)};
            m.LensOn = true, m.LensK = -0.08;
            break;
        case 3: {
            TTransformRecord level;
            level.M11 = 0.9998, level.M12 = 0.02, level.M13 = -1, level.M21 = -0.02, level.M22 = 0.9998, level.M23 = 2;
            m.History = {level, Keystone(TransformVerticalKeystone, 0.92, 1.5)};
            m.LensOn = true, m.LensK = 0.04;
            m.RefRectOn = true;
            m.OutFactorX = 1.1, m.OutOffsetX = -3, m.OutFactorY = 1, m.OutOffsetY = 0;
            m.CropType = CropStretchInscribed;
            break;
        }
        case 4: m.LensOn = true, m.LensK = 0.1; break;
        default:
            m.History = {Keystone(TransformVerticalKeystone, 0.9, 3)};
            m.LensOn = true, m.LensK = 0.05;
            m.Quality = 0;
            break;
    }
    return m;
}
constexpr int Corrections = 6;

std::uint64_t Hash(const TKelvoPixels& b) {
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < 3 * b.Width(); ++x) h = (h ^ b.Row(y)[x]) * 1099511628211ull;
    return h;
}

// The render's bytes as the first release of the render wrote them: a faster render must not change one.
TEST(CorrectionRenderTest, RenderKeepsItsBytes) {
    const std::uint64_t expected[Corrections] = {9433102530771295091ull,  14881733914658242781ull,
                                                 11142848738977564212ull, 8284551490321906420ull,
                                                 842435248838181370ull,   243043570544942945ull};
    auto src = MakeNoise(W, H, 21);
    for (int which = 0; which < Corrections; ++which) {
        TKelvoPerspectiveMapping m = Correction(which);
        auto dst = MakeImage(W, H, 0x55);
        RenderCorrection(m, *src, *dst, src->GetBounds(), nullptr);
        EXPECT_EQ(Hash(*dst), expected[which]) << "correction " << which;
    }
}

// Rows rendered at once equal the one-pixel path (one position through the mapping, the lens term and the
// portable sampler) everywhere.
TEST(CorrectionRenderTest, RowsEqualTheOnePixelPath) {
    auto src = MakeNoise(W, H, 22);
    for (int which = 0; which < Corrections; ++which) {
        TKelvoPerspectiveMapping m = Correction(which);
        auto dst = MakeImage(W, H, 0x55);
        RenderCorrection(m, *src, *dst, src->GetBounds(), nullptr);
        int differences = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const Byte* p = dst->PixelAddress(x, y);
                differences += !(TBGRPixel{p[0], p[1], p[2]} == m.SampleOutputPixel(*src, x, y));
            }
        EXPECT_EQ(differences, 0) << "correction " << which;
    }
}
}  // namespace
