// The per-pixel effects of image-list drawing and the placement of rotated captions.
#include <gtest/gtest.h>

#include "themed/core/ImageEffects.h"

using namespace skin;

namespace {
std::uint32_t One(std::uint32_t pixel, std::uint32_t background, const TImageEffects& e) {
    ApplyImageEffects(&pixel, &background, 1, e);
    return background;
}
}  // namespace

TEST(ImageEffects, EachEffectByItsFormula) {
    TImageEffects none;
    EXPECT_FALSE(HasImageEffects(none));
    EXPECT_EQ(One(0x112233, 0xFF000000, none), 0xFF112233u);         // stored as it is, background alpha kept
    EXPECT_EQ(One(kEffectKeyColor, 0xFF445566, none), 0xFF445566u);  // the key colour is no image

    TImageEffects grey;
    grey.desaturation = 255;
    // L = (0x10 + ((0x102030 >> 7) & 0x1FF) + 0x30) >> 2 = (16 + 64 + 48) >> 2 = 32.
    EXPECT_EQ(One(0x102030, 0, grey), 0x202020u);
    // The green term takes the top bit of blue too: 0x0000FF gives (0 + 1 + 255) >> 2 = 64.
    EXPECT_EQ(One(0x0000FF, 0, grey), 0x404040u);

    TImageEffects mono;
    mono.monochrome = true;
    EXPECT_EQ(One(0xFFFFFF, 0, mono), 0x000000u);
    EXPECT_EQ(One(0x808080, 0, mono), 0xFFFFFFu);

    TImageEffects half;
    half.desaturation = 128;  // w = 256 - 129 = 127
    // Red: (255 x 127 + L x 129) >> 8 with L = (255 + 0 + 0) >> 2 = 63.
    EXPECT_EQ(One(0xFF0000, 0, half) >> 16, (255u * 127 + 63u * 129) >> 8);

    TImageEffects tint;
    tint.tint = 255;  // t' = 256: all tint colour
    tint.tintColor = 0x000000;
    EXPECT_EQ(One(0xFFFFFF, 0, tint), 0x000000u);
    tint.tint = 47;
    EXPECT_EQ(One(0xFFFFFF, 0, tint) & 0xFF, (255u * (256 - 47)) >> 8);

    TImageEffects faded;
    faded.opacity = 95;  // a' = 95
    EXPECT_EQ(One(0xFFFFFF, 0xFF000000, faded), 0xFF000000u | ((255u * 95) >> 8) * 0x010101u);
}

TEST(ImageEffects, RotatedCaptionPlacement) {
    constexpr std::uint32_t center = 0x1, right = 0x2, vcenter = 0x4, bottom = 0x8;
    EXPECT_EQ(RotationCode(0x01000000 | center), 1);
    EXPECT_EQ(RotationCode(0x02000000), 2);
    // Upwards (code 1), H = 13 in a column 0..20 high 0..100.
    EXPECT_EQ(RotatedTextX(1, vcenter, 0, 20, 13), 16);
    EXPECT_EQ(RotatedTextX(1, bottom, 0, 20, 13), 21);
    EXPECT_EQ(RotatedTextX(1, 0, 0, 20, 13), 12);
    EXPECT_EQ(RotatedTextY(1, center, 0, 100, 41), 70);
    EXPECT_EQ(RotatedTextY(1, right, 0, 100, 41), 41);
    EXPECT_EQ(RotatedTextY(1, 0, 0, 100, 41), 100);
    // Downwards (code 2).
    EXPECT_EQ(RotatedTextX(2, vcenter, 0, 20, 13), 4);
    EXPECT_EQ(RotatedTextX(2, bottom, 0, 20, 13), -1);
    EXPECT_EQ(RotatedTextX(2, 0, 0, 20, 13), 8);
    EXPECT_EQ(RotatedTextY(2, center, 0, 100, 41), 29);
    EXPECT_EQ(RotatedTextY(2, right, 0, 100, 41), 59);
    EXPECT_EQ(RotatedTextY(2, 0, 0, 100, 41), 0);
    // Halvings toward zero with negative coordinates.
    EXPECT_EQ(RotatedTextY(2, center, -50, 0, 41), -45);
    const TUnderline up = RotatedUnderline(1, 16, 70, 3, 10, 6);
    EXPECT_EQ(up.x, 14);
    EXPECT_EQ(up.y1, 59);
    EXPECT_EQ(up.y2, 53);
    const TUnderline down = RotatedUnderline(2, 4, 29, 3, 10, 6);
    EXPECT_EQ(down.x, 5);
    EXPECT_EQ(down.y1, 39);
    EXPECT_EQ(down.y2, 45);
}
