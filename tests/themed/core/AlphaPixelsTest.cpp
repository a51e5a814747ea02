#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "themed/core/AlphaPixels.h"

using namespace themed;

TEST(AlphaPixels, DivisionAndMultiplicationTables) {
    EXPECT_EQ(AlphaDivide(6, 1), 42);      // 42.5: ties go to even
    EXPECT_EQ(AlphaDivide(128, 64), 128);  // 127.5
    EXPECT_EQ(AlphaDivide(0, 0), 255);
    EXPECT_EQ(AlphaDivide(100, 100), 255);
    EXPECT_EQ(AlphaDivide(100, 200), 255);
    EXPECT_EQ(AlphaMultiply(64, 128), 32);
    EXPECT_EQ(AlphaMultiply(0, 200), 0);
    for (unsigned i = 0; i < 256; ++i) {
        EXPECT_EQ(AlphaDivide(255, i), i == 255 ? 255 : i);
        EXPECT_EQ(AlphaMultiply(255, i), i);
    }
    // Multiplying back what was divided gives the colour again, for every alpha.
    for (unsigned a = 1; a < 256; ++a)
        for (unsigned c = 0; c < a; ++c) ASSERT_EQ(AlphaMultiply(a, AlphaDivide(a, c)), c) << a << " " << c;
}

TEST(AlphaPixels, SourceOverBlend) {
    EXPECT_EQ(BlendPixel(0x00123456, 0xFFABCDEF), 0xFFABCDEFu);
    EXPECT_EQ(BlendPixel(0xFF123456, 0x00ABCDEF), 0xFF123456u);
    EXPECT_EQ(BlendPixel(0x80FFFFFF, 0xFF000000), 0x00808080u);
    // Red and blue are computed together without spilling into each other or into green.
    EXPECT_EQ(BlendPixel(0x40FF00FF, 0xFF00FF00), 0x0040BF40u);
    // A constant alpha scales the source's own alpha first; 0 draws nothing.
    EXPECT_EQ(BlendPixel(0xFF0000FF, 0xFF000000, 128), 0x00000080u);
    EXPECT_EQ(BlendPixel(0x80FFFFFF, 0xFF000000, 255), BlendPixel(0x80FFFFFF, 0xFF000000));
    std::uint32_t row[2] = {0xFF000000, 0xFF000000};
    const std::uint32_t src[2] = {0xFFFFFFFF, 0x80FFFFFF};
    BlendRow(src, row, 2, 0);
    EXPECT_EQ(row[0], 0xFF000000u);
    BlendRow(src, row, 2, 255);
    EXPECT_EQ(row[0], 0xFFFFFFFFu);
    EXPECT_EQ(row[1], 0x00808080u);
    // Within one step of exact straight-alpha blending everywhere.
    for (unsigned a = 1; a < 255; ++a)
        for (unsigned s = 0; s < 256; s += 17)
            for (unsigned d = 0; d < 256; d += 15) {
                const std::uint32_t out = BlendPixel((a << 24) | s << 8, d << 8) >> 8 & 0xFF;
                const double exact = (s * a + d * (255.0 - a)) / 255.0;
                ASSERT_LE(std::fabs(out - exact), 1.0) << a << " " << s << " " << d;
            }
}

TEST(AlphaPixels, AlphaFromDrawingsOnBlackAndWhite) {
    EXPECT_EQ(DeriveAlphaPixel(0x00204060, 0x00204060), 0xFF204060u);
    EXPECT_EQ(DeriveAlphaPixel(0x00000000, 0x00FFFFFF), 0x007F7F7Fu);
    // (200, 100, 50) at alpha 128 drawn on black and on white.
    EXPECT_EQ(DeriveAlphaPixel(0x00643219, 0x00E3B198), 0x80C76432u);
    // Lighter on black than on white cannot be undone: taken as opaque, not as an alpha above 255.
    EXPECT_EQ(DeriveAlphaPixel(0x00404040, 0x00303030), 0xFF404040u);
}

TEST(AlphaPixels, DisabledMaskAndGrowStep) {
    EXPECT_EQ(DisabledMaskAlpha(0x3F000000), 0);
    EXPECT_EQ(DisabledMaskAlpha(0xC8101010), 0xC8);
    EXPECT_EQ(DisabledMaskAlpha(0xC8A0A0A0), 100);  // luminance 160: (192 - 160) x 200 x 4 / 256
    EXPECT_EQ(DisabledMaskAlpha(0xFFC0C0C0), 0);
    EXPECT_EQ(DisabledMaskAlpha(0xFF808080), 0xFF);

    EXPECT_EQ(DIBListGrowStep(0, 16, 16), 16);
    EXPECT_EQ(DIBListGrowStep(5000, 16, 16), 1024);
    EXPECT_EQ(DIBListGrowStep(10, 16, 16), 10);
    EXPECT_EQ(DIBListGrowStep(256, 32, 32), 256);
    EXPECT_EQ(DIBListGrowStep(257, 32, 32), 256);
    EXPECT_EQ(DIBListGrowStep(-1, 1000, 1000), 1);
}
