#include <gtest/gtest.h>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoBitmap.h"
#include "tests/classlib/gui/GraphicsTestSupport.h"

TEST(LTBitmapDraw, PaintsItsSourceOntoTheDestinationInsideTheClipAndPrints) {
    // 2 x 2: red, green on top; blue, black below.
    TKelvoLTBitmap b;
    ASSERT_TRUE(b.SetSize(2, 2, KelvoFormatBGR24));
    MakeBGR(b.GetPixels().PixelAddress(0, 0), 255, 0, 0);
    MakeBGR(b.GetPixels().PixelAddress(1, 0), 0, 255, 0);
    MakeBGR(b.GetPixels().PixelAddress(0, 1), 0, 0, 255);
    MakeBGR(b.GetPixels().PixelAddress(1, 1), 0, 0, 0);

    graphicstest::Surface surface(10, 10);
    // The right column, four times enlarged at (2, 2), clipped to the top half of it.
    ASSERT_TRUE(b.Draw(surface.Dc(), TKelvoRect{2, 2, 6, 10}, TKelvoRect{0, 0, 10, 6}, TKelvoRect{1, 0, 2, 2}));
    EXPECT_EQ(surface.At(2, 2), RGB(0, 255, 0));
    EXPECT_EQ(surface.At(5, 5), RGB(0, 255, 0));
    EXPECT_EQ(surface.At(5, 6), RGB(255, 255, 255));  // black below, but outside the clip
    EXPECT_EQ(surface.CountOf(RGB(0, 255, 0)), 16);

    surface.Fill(RGB(255, 255, 255));
    ASSERT_TRUE(b.Print(surface.Dc(), TKelvoRect{0, 0, 4, 4}));
    EXPECT_EQ(surface.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(0, 3), RGB(0, 0, 255));
    EXPECT_EQ(surface.At(3, 3), RGB(0, 0, 0));

    b.FreeBitmap();
    EXPECT_FALSE(b.Draw(surface.Dc(), TKelvoRect{0, 0, 4, 4}, TKelvoRect{0, 0, 4, 4}, TKelvoRect{0, 0, 2, 2}));
}
