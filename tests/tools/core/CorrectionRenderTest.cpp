#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "tests/tools/core/TestImages.h"
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
// (Correction 3 stretches the inscribed rectangle, which no longer keeps a row that maps outside the source.)
TEST(CorrectionRenderTest, RenderKeepsItsBytes) {
    const std::uint64_t expected[Corrections] = {9433102530771295091ull,  14881733914658242781ull,
                                                 11142848738977564212ull, 2865101931662132848ull,
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
// portable sampler) everywhere, also in rows longer than the render's pieces.
TEST(CorrectionRenderTest, RowsEqualTheOnePixelPath) {
    for (auto [w, h] : {std::pair{W, H}, {1031, 9}}) {
        auto src = MakeNoise(w, h, 22);
        for (int which = 0; which < Corrections; ++which) {
            TKelvoPerspectiveMapping m = Correction(which);
            auto dst = MakeImage(w, h, 0x55);
            RenderCorrection(m, *src, *dst, src->GetBounds(), nullptr);
            int differences = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const Byte* p = dst->PixelAddress(x, y);
                    differences += !(TBGRPixel{p[0], p[1], p[2]} == m.SampleOutputPixel(*src, x, y));
                }
            EXPECT_EQ(differences, 0) << w << " x " << h << ", correction " << which;
        }
    }
}

// A rectangle of 4 x 3 drawn over 100 x 50 pixels widens the output by 1.5 about the middle; 1 x 1 over 50 x 100
// heightens it by 2. Sizes of 0, below 0 or not numbers leave the image unscaled instead of dividing by zero.
TEST(CorrectionRenderTest, ReferenceRectangleScalesOnlyForRealSizes) {
    TKelvoPerspectiveMapping m;
    EXPECT_TRUE(m.SetReferenceRectangle(100, 50, 4, 3, 400, 300));
    EXPECT_EQ(m.MapInverseScaled(200, 10), (TRealPoint{200, 10}));
    EXPECT_EQ(m.MapInverseScaled(0, 10), (TRealPoint{-100, 10}));
    EXPECT_TRUE(m.SetReferenceRectangle(50, 100, 1, 1, 400, 300));
    EXPECT_EQ(m.MapInverseScaled(7, 0), (TRealPoint{7, -150}));
    EXPECT_EQ(m.MapInverseScaled(7, 150), (TRealPoint{7, 150}));
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    for (auto [rw, rh] :
         {std::pair{0.0, 3.0}, {4.0, 0.0}, {nan, 3.0}, {4.0, nan}, {-4.0, 3.0}, {inf, 3.0}, {1e-300, 1e300}}) {
        EXPECT_FALSE(m.SetReferenceRectangle(100, 50, rw, rh, 400, 300)) << rw << " " << rh;
        EXPECT_FALSE(m.RefRectOn);
        EXPECT_EQ(m.MapInverseScaled(3, 4), (TRealPoint{3, 4}));
    }
    double ratio = 7;
    EXPECT_FALSE(ReferenceRatio(0, 50, 4, 3, ratio));
    EXPECT_EQ(ratio, 7.0);
    EXPECT_TRUE(ReferenceRatio(100, 50, 4, 3, ratio));
    EXPECT_EQ(ratio, 1.5);
}
// A vertical keystone whose divisor is 0 on the last output row (Q = 2, v = y + 31.5 = 1.5 H there) maps that
// row to positions that are not numbers: the row is white at both qualities while the first row (v = 31.5,
// y' = 16.01) shows the dark source, and the crop types still find a rectangle inside the image.
TEST(CorrectionRenderTest, PositionsThatAreNotNumbersAreWhite) {
    auto src = MakeImage(W, H, 40);
    for (Byte quality : {Byte(0), Byte(2)}) {
        for (std::int32_t crop : {CropKeepSize, CropToInscribed, CropStretchInscribed}) {
            TKelvoPerspectiveMapping m;
            m.RefWidth = W;
            m.RefHeight = H;
            TTransformRecord k;
            k.Kind = TransformVerticalKeystone;
            k.M23 = 31.5;
            k.Q = 2;
            m.History = {k};
            m.Quality = quality;
            m.CropType = crop;
            auto dst = MakeImage(W, H, 0x55);
            const TKelvoRect area = RenderCorrection(m, *src, *dst, src->GetBounds(), nullptr);
            EXPECT_GE(area.Left, 0);
            EXPECT_GE(area.Top, 0);
            EXPECT_LE(area.Right, W);
            EXPECT_LE(area.Bottom, H);
            if (crop != CropKeepSize) continue;
            EXPECT_EQ(area, src->GetBounds());
            int whiteInLastRow = 0, sourceInFirstRow = 0;
            for (int x = 0; x < W; ++x) {
                const Byte* last = dst->PixelAddress(x, H - 1);
                whiteInLastRow += TBGRPixel{last[0], last[1], last[2]} == OutsideColour;
                sourceInFirstRow += dst->PixelAddress(x, 0)[1] < 0x80;
            }
            EXPECT_EQ(whiteInLastRow, W) << int(quality);
            EXPECT_EQ(sourceInFirstRow, W) << int(quality);
        }
    }
}
}  // namespace
