#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>

#include "app/core/TKelvoPixelBuffer.h"
#include "tools/core/Bicubic.h"
#include "tests/tools/core/TestImages.h"
#include "classlib/core/Exceptions.h"

namespace {
// Exact value of the weight for table entry (i, j) at offsets (r, c): each basis value times 6 * 64^3 is
// an integer, so the product times the scale is an exact fraction, rounded here half to even.
std::int64_t Numerator(int node, std::int64_t i) {
    switch (node) {
        case -1: return -i * (i - 64) * (i - 128);
        case 0: return 3 * (i + 64) * (i - 64) * (i - 128);
        case 1: return -3 * (i + 64) * i * (i - 128);
        default: return (i + 64) * i * (i - 64);
    }
}

std::int64_t ExactWeight(int i, int j, int r, int c) {
    const std::int64_t den = std::int64_t(6) * 262144 * 6 * 262144;
    const std::int64_t num = Numerator(r - 1, i) * Numerator(c - 1, j) * BicubicScale;
    std::int64_t q = num / den;
    std::int64_t rem = num % den;
    if (rem < 0) {
        rem += den;
        --q;
    }
    if (2 * rem > den || (2 * rem == den && (q & 1))) ++q;
    return q;
}

using toolstest::MakeImage;
using toolstest::SetPixel;

TEST(BicubicTest, WeightTableIsExactRoundedLagrangeProducts) {
    const auto& t = BicubicWeights();
    int mismatches = 0;
    for (int i = 0; i <= 64; ++i)
        for (int j = 0; j <= 64; ++j)
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c)
                    if (t.Weights[i][j][r * 4 + c] != ExactWeight(i, j, r, c)) ++mismatches;
    EXPECT_EQ(mismatches, 0);

    const std::int16_t half[16] = {64,   -575, -575, 64,   -575, 5173, 5173, -575,
                                   -575, 5173, 5173, -575, 64,   -575, -575, 64};
    const std::int16_t quarterY[16] = {0, -894, 0, 0, 0, 13410, 0, 0, 0, 4470, 0, 0, 0, -639, 0, 0};
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(t.Weights[32][32][k], half[k]);
        EXPECT_EQ(t.Weights[16][0][k], quarterY[k]);
        EXPECT_EQ(t.Weights[0][0][k], k == 5 ? 16348 : 0);
        EXPECT_EQ(t.Weights[64][64][k], k == 10 ? 16348 : 0);
    }
}

TEST(BicubicTest, IntegerPositionsReturnTheSourcePixel) {
    TKelvoPixelBuffer img(KelvoFormatBGR24, MakeRect(0, 0, 7, 5));
    std::mt19937 rng(7);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 21; ++x) img.Row(y)[x] = Byte(rng());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const Byte* p = img.PixelAddress(x, y);
            EXPECT_EQ(BicubicSample(img, y, x), (TBGRPixel{p[0], p[1], p[2]})) << x << "," << y;
        }
}

TEST(BicubicTest, OutsideWhiteIsMixedInAtTheBorders) {
    auto imgp = MakeImage(4, 4, 100);
    auto& img = *imgp;
    // Column offsets -1..2 at fraction 1/2 weigh -1022, 9196, 9196, -1022; inside the image that is 100.
    EXPECT_EQ(BicubicSample(img, 1, 1.5).G, 100);
    // Column 4 lies outside: (100 * (-1022 + 9196 + 9196) + 255 * -1022) / 16348 = 90.3.
    EXPECT_EQ(BicubicSample(img, 1, 2.5), (TBGRPixel{90, 90, 90}));
    // The same for row 4 beyond the bottom.
    EXPECT_EQ(BicubicSample(img, 2.5, 1), (TBGRPixel{90, 90, 90}));
    // Uniform white loses one level where an entry sums to less than the scale ([16][0] sums to 16347).
    auto white = MakeImage(4, 4, 255);
    EXPECT_EQ(BicubicSample(*white, 1.25, 1.0).R, 254);
}

TEST(BicubicTest, OvershootIsClampedAndBadPositionsAreWhite) {
    auto imgp = MakeImage(4, 1, 255);
    auto& img = *imgp;
    SetPixel(img, 0, 0, 0);
    // 255 * (9196 + 9196 - 1022) / 16348 = 270.9: above 255.
    EXPECT_EQ(BicubicSample(img, 0, 1.5).B, 255);
    auto darkp = MakeImage(4, 1, 0);
    auto& dark = *darkp;
    SetPixel(dark, 0, 0, 255);
    // 255 * -1022 is negative.
    EXPECT_EQ(BicubicSample(dark, 0, 1.5).B, 0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [y, x] : {std::pair{nan, 1.0}, {1.0, inf}, {-0.5, 1.0}, {1.0, 3e9}})
        EXPECT_EQ(BicubicSample(dark, y, x), OutsideColour);
    TKelvoPixelBuffer alpha(KelvoFormatBGRA32, MakeRect(0, 0, 2, 2));
    EXPECT_THROW(BicubicSample(alpha, 0, 0), EInvalidGraphic);
}
// The vector sampler divides by multiplying with BicubicInverseScale: exact for every sum below 2^23, and no
// neighbourhood can sum to more than that (nor to less than its negative).
TEST(BicubicTest, InverseScaleDividesEverySumExactly) {
    const auto& table = BicubicWeights();
    std::int64_t largest = 0, smallest = 0;
    for (const auto& row : table.Weights)
        for (const auto& entry : row) {
            std::int64_t positive = 0, negative = 0;
            for (std::int16_t w : entry) (w > 0 ? positive : negative) += w;
            largest = std::max(largest, 255 * positive);
            smallest = std::min(smallest, 255 * negative);
        }
    EXPECT_LT(largest, 1 << 23);
    EXPECT_GT(smallest, -(1 << 23));
    int wrong = 0;
    for (std::int32_t s = 0; s < (1 << 23); ++s)
        wrong += static_cast<std::int32_t>(static_cast<float>(s) * BicubicInverseScale) != s / BicubicScale;
    EXPECT_EQ(wrong, 0);
}
}  // namespace
