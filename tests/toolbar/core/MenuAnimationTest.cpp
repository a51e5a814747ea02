#include "toolbar/core/MenuAnimation.h"

#include <gtest/gtest.h>

#include "toolbar/core/PopupPosition.h"

using namespace tb;

TEST(MenuAnimation, FadeRunsFromFortyAndStopsPastTwoFiftyFourOrAtTheDuration) {
    EXPECT_EQ(AnimationStep(1000, 1000, kFadeDuration, kFadeStartValue).value, 40);
    // 100 ms of 175: 100 * 255 / 175 = 145, plus 40.
    const TAnimationStep mid = AnimationStep(1000, 1100, kFadeDuration, kFadeStartValue);
    EXPECT_FALSE(mid.stop);
    EXPECT_EQ(mid.value, 185);
    // 149 ms: 217 + 40 = 257 passes 254 before the duration.
    EXPECT_TRUE(AnimationStep(1000, 1149, kFadeDuration, kFadeStartValue).stop);
    EXPECT_FALSE(AnimationStep(1000, 1149, kSlideDuration, kSlideStartValue).stop);
    EXPECT_TRUE(AnimationStep(1000, 1150, kSlideDuration, kSlideStartValue).stop);
    int last = -1;
    for (std::uint32_t t = 0; t < kSlideDuration; ++t) {
        const TAnimationStep s = AnimationStep(0, t, kSlideDuration, kSlideStartValue);
        if (s.stop) break;
        EXPECT_GE(s.value, last);
        last = s.value;
    }
    EXPECT_EQ(last, 253);
}

TEST(MenuAnimation, ElapsedTimeIsRightAcrossTheTickWrap) {
    const TAnimationStep s = AnimationStep(0xFFFFFFF0u, 0x00000040u, kSlideDuration, kSlideStartValue);
    EXPECT_FALSE(s.stop);
    EXPECT_EQ(s.value, 80 * 255 / 150);
}

TEST(MenuAnimation, SlideOffsetsPerSide) {
    // Height 200 at value 128: MulDiv gives 100.
    EXPECT_EQ(SlideOffset(300, 200, 128, kSlideFromTop), (TPoint{0, -100}));
    EXPECT_EQ(SlideOffset(300, 200, 128, kSlideFromBottom), (TPoint{0, 100}));
    EXPECT_EQ(SlideOffset(300, 200, 128, kSlideFromLeft), (TPoint{-149, 0}));
    EXPECT_EQ(SlideOffset(300, 200, 128, kSlideFromRight), (TPoint{149, 0}));
    EXPECT_EQ(SlideOffset(300, 200, 0, kSlideFromTop | kSlideFromLeft), (TPoint{-300, -200}));
    EXPECT_EQ(SlideOffset(300, 200, 255, kSlideFromBottom | kSlideFromRight), (TPoint{0, 0}));
    EXPECT_EQ(SlideOffset(300, 200, 128, 0), (TPoint{0, 0}));
}
