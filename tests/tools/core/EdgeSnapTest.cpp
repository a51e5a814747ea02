#include <gtest/gtest.h>

#include "tests/tools/core/TestImages.h"
#include "tools/core/EdgeSnap.h"

namespace {

TEST(EdgeSnapTest, ADrawnLineNearAnEdgeLiesDownOnIt) {
    // Black above row 50, white from it: the sharpest change across a level line is at y = 49.
    auto image = toolstest::MakeImage(200, 100, 0);
    for (int y = 50; y < 100; ++y)
        for (int x = 0; x < 200; ++x) toolstest::SetPixel(*image, x, y, 255);
    const TSnappedLine s = SnapLineToEdge(*image, {10, 46}, {190, 53}, 5);
    EXPECT_EQ(s.Start.X, 10);
    EXPECT_EQ(s.End.X, 190);
    EXPECT_NEAR(s.Start.Y, 49, 0.01);
    EXPECT_NEAR(s.End.Y, 49, 0.01);
    // The same for a plumb edge, the axes exchanged.
    auto plumb = toolstest::MakeImage(100, 200, 0);
    for (int y = 0; y < 200; ++y)
        for (int x = 50; x < 100; ++x) toolstest::SetPixel(*plumb, x, y, 255);
    const TSnappedLine p = SnapLineToEdge(*plumb, {47, 10}, {52, 190}, 5);
    EXPECT_NEAR(p.Start.X, 49, 0.01);
    EXPECT_NEAR(p.End.X, 49, 0.01);
}

TEST(EdgeSnapTest, AUniformAreaOrAZeroLineKeepsTheLineAsDrawn) {
    auto image = toolstest::MakeImage(50, 50, 128);
    const TSnappedLine s = SnapLineToEdge(*image, {5, 10}, {45, 12}, 5);
    EXPECT_EQ(s.Start, (TRealPoint{5, 10}));
    EXPECT_EQ(s.End, (TRealPoint{45, 12}));
    const TSnappedLine z = SnapLineToEdge(*image, {5, 10}, {5, 10}, 5);
    EXPECT_EQ(z.Start, (TRealPoint{5, 10}));
    // A line reaching outside the image reads nothing there.
    EXPECT_EQ(EdgeScore(*image, {-100, -100}, {100, 200}), 0);
}

}  // namespace
