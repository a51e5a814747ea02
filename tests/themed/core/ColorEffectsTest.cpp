#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"
#include "themed/core/AlphaPixels.h"
#include "themed/core/TColorEffects.h"

namespace {

int g_calls = 0;
std::uint32_t Counting(std::uint32_t pixel, std::uint32_t parameter) {
    ++g_calls;
    return pixel ^ parameter;
}

class ColorEffects : public ::testing::Test {
protected:
    void SetUp() override { themed::RegisterBuiltInColorEffects(); }
    void TearDown() override { themed::ClearColorEffects(); }

    static std::uint32_t One(int id, std::uint32_t parameter, std::uint32_t pixel) {
        TColorEffects e;
        EXPECT_TRUE(e.Add(id, parameter));
        return e.Apply(pixel);
    }
};

}  // namespace

TEST_F(ColorEffects, Registry) {
    EXPECT_EQ(FindColorEffect(ceInvert), 0);
    EXPECT_EQ(FindColorEffect(ceColorize), 6);
    EXPECT_EQ(FindColorEffect(100), -1);
    try {
        RegisterColorEffect(3, Counting);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "color effect 3 already registered");
    }
    themed::RegisterBuiltInColorEffects();  // a second start-up registers nothing twice
    EXPECT_EQ(FindColorEffect(100), -1);
    TColorEffects list;
    EXPECT_FALSE(list.Add(100, 0));
    EXPECT_EQ(list.Count(), 0);
    RegisterColorEffect(100, Counting);
    EXPECT_TRUE(list.Add(100, 0x0F));
    EXPECT_EQ(list.Apply(0xF0), 0xFFu);

    // Entries run in the order they were added.
    TColorEffects mixThenInvert, invertThenMix;
    mixThenInvert.Add(ceMix, 0xFF102030);
    mixThenInvert.Add(ceInvert, 0);
    invertThenMix.Add(ceInvert, 0);
    invertThenMix.Add(ceMix, 0xFF102030);
    EXPECT_EQ(mixThenInvert.Apply(0xAA445566), 0xAAEFDFCFu);
    EXPECT_EQ(invertThenMix.Apply(0xAA445566), 0xAA102030u);
}

TEST_F(ColorEffects, BuiltInEffects) {
    EXPECT_EQ(One(ceInvert, 0, 0x80123456), 0x80EDCBA9u);
    // Luminance takes green from bits 7-15, so blue's top bit adds one.
    EXPECT_EQ(themed::EffectLuminance(0xFF204080), 0x48u);
    EXPECT_EQ(One(ceGrey, 255, 0xFF204080), 0xFF484848u);
    EXPECT_EQ(One(ceGrey, 0, 0xFF204080), 0xFF204080u);
    EXPECT_EQ(One(ceGrey, 127, 0xFF000080), 0xFF101050u);

    EXPECT_EQ(One(ceMultiply, 0xFF808080, 0xFFFFFFFF), 0xFF808080u);
    EXPECT_EQ(One(ceMultiply, 0xFFFFFFFF, 0x80123456), 0x80123456u);
    EXPECT_EQ(One(ceMultiply, 0x00000000, 0x80123456), 0x80123456u);
    EXPECT_EQ(One(ceMultiply, 0x80000000, 0xFFFFFFFF), 0xFF7F7F7Fu);

    EXPECT_EQ(One(ceAdd, 0xFF102030, 0x80F0F0F0), 0x80FFFFFFu);
    EXPECT_EQ(One(ceAdd, 0xFF010203, 0x80101010), 0x80111213u);
    EXPECT_EQ(One(ceAdd, 0x00FFFFFF, 0x80101010), 0x80101010u);
    EXPECT_EQ(One(ceAdd, 0x80404040, 0xFF000000), 0xFF202020u);

    EXPECT_EQ(One(ceFade, 128, 0xC8123456), 0x65123456u);
    EXPECT_EQ(One(ceFade, 255, 0xC8123456), 0xC8123456u);
    EXPECT_EQ(One(ceFade, 0, 0xC8123456), 0x00123456u);

    EXPECT_EQ(One(ceMix, 0xFF112233, 0x80FFFFFF), 0x80112233u);
    EXPECT_EQ(One(ceMix, 0x00112233, 0x80FFFFFF), 0x80FFFFFFu);
    EXPECT_EQ(One(ceMix, 0x80000000, 0x40FFFFFF), 0x407F7F7Fu);

    EXPECT_EQ(One(ceColorize, 0x0000FF00, 0xFF000000), 0xFF00FF00u);
    EXPECT_EQ(One(ceColorize, 0x0000FF00, 0xFFFFFFFF), 0x0000FF00u);
    EXPECT_EQ(One(ceColorize, 0x0000FF00, 0xFFE0E0E0), 0x7F00FF00u);
    EXPECT_EQ(One(ceColorize, 0x0000FF00, 0x00E0E0E0), 0x00E0E0E0u);
}

TEST_F(ColorEffects, RowsAreComposedOverTheTargetWithARepeatCache) {
    RegisterColorEffect(100, Counting);
    TColorEffects list;
    list.Add(100, 0x00FFFFFF);
    const std::uint32_t a = 0x80102030, b = 0xFF405060;
    const std::uint32_t source[5] = {a, a, a, b, b};
    std::uint32_t target[5] = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
    g_calls = 0;
    list.ApplyRow(source, target, 5);
    EXPECT_EQ(g_calls, 2);
    EXPECT_EQ(target[0], themed::BlendPixel(a ^ 0x00FFFFFF, 0xFF000000));
    EXPECT_EQ(target[2], target[0]);
    EXPECT_EQ(target[4], b ^ 0x00FFFFFF);
    // A change of target pixel alone is not served from the cache.
    const std::uint32_t same[2] = {a, a};
    std::uint32_t differentTargets[2] = {0xFF000000, 0xFFFFFFFF};
    g_calls = 0;
    list.ApplyRow(same, differentTargets, 2);
    EXPECT_EQ(g_calls, 2);
    EXPECT_EQ(differentTargets[1], themed::BlendPixel(a ^ 0x00FFFFFF, 0xFFFFFFFF));
}
