// The PNG picture class: registration for ".png" by the unit start-up, loading through a picture, drawing
// with alpha over a known background, saving, and taking pixels from other pictures.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/core/UnitRegistry.h"
#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "classlib/win/TPicture.h"
#include "tests/support/TestSupport.h"
#include "themed/core/TColorEffects.h"
#include "themed/core/TPNGReader.h"
#include "themed/core/TPNGWriter.h"
#include "themed/win/TPNGBitmap.h"

using graphicstest::Surface;

namespace {

// A 4 x 2 image: top row opaque red, bottom row blue at half alpha, its last pixel transparent.
std::vector<std::uint32_t> Sample() {
    return {0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0x800000FFu, 0x800000FFu, 0x800000FFu, 0x00000000u};
}

// The sample written as PNG into stream, which is rewound.
void WriteSample(TMemoryStream& stream) {
    const auto pixels = Sample();
    TPNGWriter(4, pixels.data(), 4, 2).SaveToStream(stream);
    stream.SetPosition(0);
}

// Draws the picture in its own size at (1, 1) on white.
void ExpectDrawnOnWhite(TGraphic* graphic) {
    Surface surface(8, 5, RGB(255, 255, 255));
    TCanvas canvas;
    canvas.SetHandle(surface.Dc());
    graphic->Draw(&canvas, Bounds(1, 1, graphic->Width(), graphic->Height()));
    canvas.SetHandle(nullptr);
    EXPECT_EQ(surface.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(4, 1), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(2, 2), RGB(127, 127, 255));  // (255 x 127 + 127) / 256 for red and green
    EXPECT_EQ(surface.At(4, 2), RGB(255, 255, 255));  // transparent
    EXPECT_EQ(surface.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(5, 1), RGB(255, 255, 255));
}

}  // namespace

TEST(PNGBitmap, UnitRegistersThePngFormatUntilShutdown) {
    RegisterSkinGraphicsUnit();
    classlib::Startup();
    EXPECT_EQ(TPicture::FileFormatClass("PNG"), TGraphicClass::Of<TPNGBitmap>());
    EXPECT_NE(TPicture::GraphicFilter(TGraphicClass::Of<TGraphic>()).find("Portable network graphic images (*.png)"),
              std::string::npos);
    EXPECT_GE(FindColorEffect(ceMultiply), 0);

    testsupport::TempDir dir;
    TMemoryStream png;
    WriteSample(png);
    png.SaveToFile(dir.File("sample.png"));
    TPicture picture;
    picture.LoadFromFile(dir.File("sample.png"));
    auto* loaded = dynamic_cast<TPNGBitmap*>(picture.Graphic());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(loaded->DIB()->Row(1)[1], 0x800000FFu);
    ExpectDrawnOnWhite(loaded);

    classlib::Shutdown();
    EXPECT_FALSE(TPicture::FileFormatClass("png"));
    EXPECT_EQ(FindColorEffect(ceMultiply), -1);
    EXPECT_THROW(picture.LoadFromFile(dir.File("sample.png")), EInvalidGraphic);
    classlib::Startup();
    EXPECT_EQ(TPicture::FileFormatClass("png"), TGraphicClass::Of<TPNGBitmap>());
}

TEST(PNGBitmap, StretchedDrawResamplesAndKeepsTheBackgroundUnderTransparentPixels) {
    TPNGBitmap png;
    TMemoryStream stream;
    WriteSample(stream);
    png.LoadFromStream(stream);
    Surface surface(8, 4, RGB(0, 255, 0));
    TCanvas canvas;
    canvas.SetHandle(surface.Dc());
    png.Draw(&canvas, TRect{0, 0, 8, 4});
    canvas.SetHandle(nullptr);
    EXPECT_EQ(surface.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(7, 3), RGB(0, 255, 0));
    // Half-alpha blue over green, give or take the resampler's rounding.
    const COLORREF mixed = surface.At(0, 3);
    EXPECT_EQ(GetRValue(mixed), 0);
    EXPECT_NEAR(GetGValue(mixed), 127, 1);
    EXPECT_NEAR(GetBValue(mixed), 128, 1);
}

TEST(PNGBitmap, SavesWhatItLoadedAndRefusesToSaveWhenEmpty) {
    TPNGBitmap png;
    EXPECT_TRUE(png.Empty());
    EXPECT_TRUE(png.Transparent());
    TMemoryStream out;
    EXPECT_THROW(png.SaveToStream(out), EStreamError);

    TMemoryStream in;
    WriteSample(in);
    png.LoadFromStream(in);
    png.SaveToStream(out);
    out.SetPosition(0);
    TPNGReader reader;
    reader.LoadFromStream(out);
    const auto expected = Sample();
    EXPECT_EQ(std::vector<std::uint32_t>(reader.Pixels().begin(), reader.Pixels().end()), expected);

    // A broken stream leaves the picture as it was.
    TMemoryStream broken;
    broken.WriteBuffer("not a png", 9);
    broken.SetPosition(0);
    EXPECT_ANY_THROW(png.LoadFromStream(broken));
    EXPECT_EQ(png.Width(), 4);

    png.SetWidth(7);
    EXPECT_EQ(png.Width(), 7);
    EXPECT_EQ(png.Height(), 2);
}

TEST(PNGBitmap, AssignTakesPicturesAndMakesPlainBitmapsOpaque) {
    TPNGBitmap source;
    TMemoryStream in;
    WriteSample(in);
    source.LoadFromStream(in);
    TPNGBitmap copy;
    copy.Assign(&source);
    EXPECT_NE(copy.DIB(), source.DIB());
    ExpectDrawnOnWhite(&copy);

    // A 24-bit bitmap has no alpha: copied as is it would draw as nothing.
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(TRect{0, 0, 3, 2});
    copy.Assign(&bitmap);
    ASSERT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.DIB()->Row(1)[2], 0xFFFF0000u);

    // A 32-bit bitmap with alpha keeps it.
    TBitmap withAlpha;
    withAlpha.SetPixelFormat(pf32bit);
    withAlpha.SetSize(2, 1);
    static_cast<std::uint32_t*>(withAlpha.ScanLine(0))[0] = 0x4000FF00u;
    static_cast<std::uint32_t*>(withAlpha.ScanLine(0))[1] = 0x00000000u;
    copy.Assign(&withAlpha);
    EXPECT_EQ(copy.DIB()->Row(0)[0], 0x4000FF00u);
    EXPECT_EQ(copy.DIB()->Row(0)[1], 0x00000000u);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}
