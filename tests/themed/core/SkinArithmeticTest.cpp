// Colour arithmetic, gradient ramps, shadow alpha and pieces of the themed layer.
#include <gtest/gtest.h>

#include "themed/core/ShadowGeometry.h"
#include "themed/core/SkinColorMath.h"

using namespace skin;

TEST(SkinColorMath, BlendShiftDarknessAndPixels) {
    EXPECT_EQ(BlendColors(0xFFFFFF, 0x000000, 128), 0x7F7F7Fu);
    EXPECT_EQ(BlendColors(0xFFFFFF, 0xFFFFFF, 0), 0xFEFEFEu);  // the weights sum to 255
    // Channels never bleed into each other: red and blue share a lane.
    EXPECT_EQ(BlendColors(0xFF00FF, 0x00FF00, 255), 0xFE00FEu);
    EXPECT_EQ(BlendColors(0x102030, 0x000000, 200), 0x0C1925u);
    EXPECT_EQ(ShiftColor(0x10F080, 32), 0x30FFA0u);
    EXPECT_EQ(ShiftColor(0x10F080, -32), 0x00D060u);
    EXPECT_TRUE(IsDarker(0x000000, 1));
    EXPECT_FALSE(IsDarker(0xFFFFFF, 255));  // 256 x 255 = 65280 is not below 65280
    EXPECT_TRUE(IsDarker(0x808080, 129));   // 128 x 256 = 32768 < 33024
    EXPECT_FALSE(IsDarker(0x808080, 128));
    EXPECT_EQ(ColorToOpaquePixel(0x00332211), 0xFF112233u);
    // The dock panel mix: button face C0C0C0 with a white window.
    EXPECT_EQ(MixDockPanelColor(0xC0C0C0, 0xFFFFFF), 0xEEEEEEu);
    EXPECT_EQ(MixDockPanelColor(0xFFFFFF, 0xFFFFFF), 0xFEFEFEu);
}

TEST(SkinColorMath, GradientRampsRoundAndTruncateAsTheLinesNeedThem) {
    EXPECT_TRUE(GradientRamp(0, 0, 0xFF).empty());
    EXPECT_EQ(GradientRamp(1, 0x000000, 0x0000FF), std::vector<std::uint32_t>{0x00007F});
    EXPECT_EQ(GradientRamp(3, 0x000000, 0xFFFFFF), (std::vector<std::uint32_t>{0x000000, 0x808080, 0xFFFFFF}));
    // A falling ramp truncates toward zero and ends one short of its target.
    EXPECT_EQ(GradientRamp(4, 0xFF, 0x00), (std::vector<std::uint32_t>{0xFF, 0xAB, 0x56, 0x01}));
    EXPECT_EQ(GradientRamp(4000, 0, 0xFFFFFF).size(), 4000u);
    EXPECT_EQ(RampColor(4000, 3999, 0, 0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(RampColor(4, 2, 0xFF, 0x00), 0x56u);
}

TEST(ShadowGeometry, ModesAndSizesFollowTheBlendingFunctions) {
    EXPECT_EQ(ChooseShadowMode(false, true, true), 1);
    EXPECT_EQ(ChooseShadowMode(true, true, true), 0);
    EXPECT_EQ(ChooseShadowMode(false, false, true), 2);
    EXPECT_EQ(ChooseShadowMode(false, true, false), 0);
    EXPECT_EQ(EffectiveShadowSize(8, false, true, true), 8);
    EXPECT_EQ(EffectiveShadowSize(8, true, true, true), 4);
    EXPECT_EQ(EffectiveShadowSize(8, false, false, false), 4);
    EXPECT_EQ(EffectiveShadowSize(8, false, true, false), 8);
}

TEST(ShadowGeometry, CornersShareShortPieces) {
    const TShadowSpans both = SplitShadow(6, 8, shadowSoftStart | shadowSoftEnd);
    EXPECT_EQ(both.start, 3);
    EXPECT_EQ(both.middle, 0);
    EXPECT_EQ(both.end, 3);
    const TShadowSpans odd = SplitShadow(7, 8, shadowSoftStart | shadowSoftEnd);
    EXPECT_EQ(odd.start + odd.middle + odd.end, 7);
    const TShadowSpans one = SplitShadow(5, 8, shadowSoftEnd);
    EXPECT_EQ(one.start, 0);
    EXPECT_EQ(one.end, 5);
    const TShadowSpans longer = SplitShadow(100, 8, shadowSoftStart | shadowSoftEnd);
    EXPECT_EQ(longer.middle, 84);
}

TEST(ShadowGeometry, AlphaDarkestAtThePopupAndFadingAtCorners) {
    const auto a = HorzShadowAlpha(40, 8, shadowSoftStart | shadowSoftEnd);
    ASSERT_EQ(a.size(), 320u);
    auto at = [&](int x, int y) { return int(a[std::size_t(y) * 40 + std::size_t(x)]); };
    for (int d = 0; d < 8; ++d) EXPECT_EQ(at(20, d), 255 - d * 256 / 8);  // straight part
    // Corner next to the straight part, at the popup edge: as dark as the straight part.
    EXPECT_EQ(at(7, 0), 255);
    EXPECT_EQ(at(32, 0), 255);
    // Outer corner pixels vanish.
    EXPECT_EQ(at(0, 7), 0);
    EXPECT_EQ(at(39, 7), 0);
    // g = ((max(3, 2) + 3 + 2) << 7) div 8 = 128.
    EXPECT_EQ(at(4, 2), 127);
    const auto v = VertShadowAlpha(8, 40, shadowSoftStart);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(int(v[std::size_t(30) * 8 + std::size_t(i)]), 255 - i * 256 / 8);
    EXPECT_EQ(int(v[std::size_t(0) * 8 + 7]), 0);
    EXPECT_EQ(int(v[std::size_t(7) * 8 + 0]), 255);
    EXPECT_TRUE(HorzShadowAlpha(0, 8, 3).empty());
    EXPECT_TRUE(VertShadowAlpha(8, 0, 3).empty());
}

TEST(ShadowGeometry, PopupAlonePiecesAndAPopupBelowItsOpener) {
    const TRect popup = Rect(100, 100, 300, 400);
    const auto alone = ShadowPieces(popup, TRect{}, 6);
    ASSERT_EQ(alone.size(), 2u);
    EXPECT_EQ(alone[0], (TShadowPiece{Rect(300, 106, 306, 400), false, shadowSoftStart}));
    EXPECT_EQ(alone[1], (TShadowPiece{Rect(106, 400, 306, 406), true, shadowSoftStart | shadowSoftEnd}));
    // A menu-bar item above the popup's left part: its bottom shadow would fall on the popup and goes; its
    // right shadow ends at the popup with a hard end.
    const auto joined = ShadowPieces(popup, Rect(100, 80, 160, 100), 6);
    ASSERT_EQ(joined.size(), 3u);
    EXPECT_EQ(joined[2], (TShadowPiece{Rect(160, 86, 166, 100), false, shadowSoftStart}));
    // A far-away opener is ignored; nothing for an empty popup.
    EXPECT_EQ(ShadowPieces(popup, Rect(0, 0, 10, 10), 6), alone);
    EXPECT_TRUE(ShadowPieces(TRect{}, TRect{}, 6).empty());
    EXPECT_TRUE(ShadowPieces(popup, TRect{}, 0).empty());
}
