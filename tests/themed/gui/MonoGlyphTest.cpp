// One-bit glyphs painted in a colour over whatever is under them.
#include <gtest/gtest.h>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "themed/win/TMonoGlyph.h"

using graphicstest::Surface;

namespace {

// A 3 x 2 glyph, rows padded to 16 bits: top row X.X, bottom row .X.
const std::uint8_t kBits[] = {0xA0, 0x00, 0x40, 0x00};

}  // namespace

TEST(MonoGlyph, PaintsSetBitsInTheColourAndLeavesTheRest) {
    TMonoGlyph glyph(3, kBits, 2);
    Surface surface(6, 4, RGB(10, 20, 30));
    glyph.Draw(surface.Dc(), 1, 1, clRed);
    EXPECT_EQ(surface.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(2, 1), RGB(10, 20, 30));
    EXPECT_EQ(surface.At(3, 1), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(1, 2), RGB(10, 20, 30));
    EXPECT_EQ(surface.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(4, 1), RGB(10, 20, 30));
    EXPECT_EQ(surface.CountOf(RGB(255, 0, 0)), 3);
}

TEST(MonoGlyph, SystemColoursUseTheirBrushAndNoneDrawsNothing) {
    TMonoGlyph glyph(3, kBits, 2);
    Surface surface(4, 3, RGB(10, 20, 30));
    glyph.Draw(surface.Dc(), 0, 0, clNone);
    EXPECT_EQ(surface.CountOf(RGB(10, 20, 30)), 12);
    glyph.Draw(surface.Dc(), 0, 0, clHighlight);
    EXPECT_EQ(surface.At(1, 1), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(surface.At(1, 0), RGB(10, 20, 30));
    // The text colours of the context are given back.
    EXPECT_EQ(::GetTextColor(surface.Dc()), RGB(0, 0, 0));
}
