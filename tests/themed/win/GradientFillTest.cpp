// The gradient fill, with the system's function and with its own line-by-line fallback, inside the clip box.
#include <gtest/gtest.h>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "classlib/win/GdiHandle.h"
#include "themed/core/SkinColorMath.h"
#include "themed/win/SkinResources.h"
#include "themed/win/TDIB32.h"

namespace {
std::uint32_t At(TDIB32& dib, int x, int y) { return dib.Row(y)[x] & 0xFFFFFF; }
// A 0x00BBGGRR colour as the DIB's 0x00RRGGBB.
std::uint32_t Px(std::uint32_t c) { return skin::ColorToOpaquePixel(c) & 0xFFFFFF; }
}  // namespace

TEST(GradientFill, FallbackLinesFollowTheRampAndStayInsideTheClipBox) {
    classlib::UseSystemColors();
    RegisterSkinResourcesUnit();
    classlib::Startup();
    skin::SetBlendFunctionsAvailable(true, true, false);
    TDIB32 dib;
    dib.SetSize(40, 20);
    dib.Fill(0xFF123456);
    // Vertical: row i takes the ramp's colour i of 20 lines from black to a blue-ish white.
    skin::GradientFill(dib.DC(), Rect(0, 0, 40, 20), 0x000000, 0xFF8040, 1);
    for (int y : {0, 7, 19}) EXPECT_EQ(At(dib, 13, y), Px(skin::RampColor(20, y, 0x000000, 0xFF8040))) << y;

    // Horizontal, clipped to columns 10-19: the rest keeps the background.
    dib.Fill(0xFF123456);
    TGdiHandle<HRGN> clip(::CreateRectRgn(10, 0, 20, 20));
    ::SelectClipRgn(dib.DC(), clip.Get());
    skin::GradientFill(dib.DC(), Rect(0, 0, 40, 20), 0x0000FF, 0x00FF00, 0);
    ::SelectClipRgn(dib.DC(), nullptr);
    EXPECT_EQ(At(dib, 9, 5), 0x123456u);
    EXPECT_EQ(At(dib, 10, 5), Px(skin::RampColor(40, 10, 0x0000FF, 0x00FF00)));
    EXPECT_EQ(At(dib, 19, 5), Px(skin::RampColor(40, 19, 0x0000FF, 0x00FF00)));
    EXPECT_EQ(At(dib, 20, 5), 0x123456u);

    // An empty or invisible rectangle draws nothing.
    dib.Fill(0xFF123456);
    skin::GradientFill(dib.DC(), Rect(5, 5, 5, 15), 0, 0xFFFFFF, 1);
    skin::GradientFill(dib.DC(), Rect(100, 100, 4100, 132), 0, 0xFFFFFF, 1);
    EXPECT_EQ(At(dib, 5, 5), 0x123456u);
    skin::SetBlendFunctionsAvailable(true, true, true);
    classlib::Shutdown();
}

TEST(GradientFill, SystemGradientRunsFromColourToColour) {
    classlib::UseSystemColors();
    RegisterSkinResourcesUnit();
    classlib::Startup();
    ASSERT_NE(skin::BoundGradientFill(), nullptr);
    TDIB32 dib;
    dib.SetSize(64, 8);
    skin::GradientFill(dib.DC(), Rect(0, 0, 64, 8), clBlack, clWhite, 0);
    EXPECT_LT(At(dib, 0, 4) & 0xFF, 8u);
    EXPECT_GT(At(dib, 63, 4) & 0xFF, 247u);
    EXPECT_LT(At(dib, 20, 4) & 0xFF, At(dib, 40, 4) & 0xFF);
    classlib::Shutdown();
}
