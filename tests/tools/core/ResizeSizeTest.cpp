#include <gtest/gtest.h>

#include "tools/core/ResizeSize.h"

namespace {
TEST(ResizeSizeTest, TheConstrainedSideFollowsByMulDiv) {
    const TResizeSize start{3000, 2000};
    EXPECT_EQ(ConstrainedResizeWidth(start, 3000, 2000, 1000, true), (TResizeSize{1000, 667}));
    EXPECT_EQ(ConstrainedResizeHeight(start, 3000, 2000, 1000, true), (TResizeSize{1500, 1000}));
    EXPECT_EQ(ConstrainedResizeWidth(start, 3000, 2000, 1000, false), (TResizeSize{1000, 2000}));
    EXPECT_EQ(ConstrainedResizeWidth(start, 3000, 2000, 0, false), (TResizeSize{1, 2000}));
    EXPECT_EQ(ConstrainedResizeHeight(start, 3000, 2000, -5, false), (TResizeSize{3000, 1}));
    // An unchanged side leaves the other alone even when it no longer matches the proportions.
    EXPECT_EQ(ConstrainedResizeWidth(TResizeSize{3000, 5}, 3000, 2000, 3000, true), (TResizeSize{3000, 5}));
}

TEST(ResizeSizeTest, ComputedAndTypedSidesStayWithinOneTo32767) {
    // 30000 x 10 at width 100: 10 x 100 / 30000 rounds to 0.
    EXPECT_EQ(ConstrainedResizeWidth(TResizeSize{30000, 10}, 30000, 10, 100, true), (TResizeSize{100, 1}));
    // 10 x 30000 at width 2000 would be 6,000,000 high.
    EXPECT_EQ(ConstrainedResizeWidth(TResizeSize{10, 30000}, 10, 30000, 2000, true), (TResizeSize{2000, 32767}));
    // No image side yet: MulDiv fails with -1.
    EXPECT_EQ(ConstrainedResizeHeight(TResizeSize{1, 1}, 0, 0, 50, true), (TResizeSize{1, 50}));
    EXPECT_EQ(ConstrainedResizeWidth(TResizeSize{1, 1}, 100, 100, 1000000, false), (TResizeSize{32767, 1}));
}

TEST(ResizeSizeTest, SizesBeyondOneBufferAreRefusedBeforeResizing) {
    EXPECT_TRUE(ResizeFitsInMemory(TResizeSize{16384, 16384}));  // 768 MB
    EXPECT_TRUE(ResizeFitsInMemory(TResizeSize{32767, 10922}));  // 98304 x 10922 bytes, just under 1 GB
    EXPECT_FALSE(ResizeFitsInMemory(TResizeSize{32767, 10923}));
    EXPECT_FALSE(ResizeFitsInMemory(TResizeSize{32767, 32767}));  // 3.2 GB
}

TEST(ResizeSizeTest, SwitchingTheConstraintOnFitsTheImageIntoTheBox) {
    EXPECT_EQ(FitResizeToImage(TResizeSize{1000, 1000}, 3000, 2000), (TResizeSize{1000, 667}));
    EXPECT_EQ(FitResizeToImage(TResizeSize{3000, 100}, 3000, 2000), (TResizeSize{150, 100}));
    EXPECT_EQ(FitResizeToImage(TResizeSize{300, 200}, 0, 0), (TResizeSize{300, 200}));
    EXPECT_FALSE(ResizeChangesImage(TResizeSize{3000, 2000}, 3000, 2000));
    EXPECT_TRUE(ResizeChangesImage(TResizeSize{3000, 1999}, 3000, 2000));
}
}  // namespace
