// The drawing helpers on a 32-bit bitmap: shapes and frames, dithering, rotated text and image effects.
#include <gtest/gtest.h>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "themed/core/SkinColorMath.h"
#include "themed/core/TColorEffects.h"
#include "themed/win/SkinDrawing.h"
#include "themed/win/SkinResources.h"
#include "themed/win/TDIB32.h"
#include "themed/win/TSkinImageList.h"

using namespace skin;

namespace {

constexpr std::uint32_t kBack = 0x123456;

struct TCanvasDIB {
    TDIB32 dib;
    explicit TCanvasDIB(int w, int h) {
        dib.SetSize(w, h);
        dib.Fill(0xFF000000u | kBack);
    }
    std::uint32_t At(int x, int y) { return dib.Row(y)[x] & 0xFFFFFF; }
    HDC DC() { return dib.DC(); }
    // The bounding box of pixels that differ from the background.
    TRect Ink() {
        TRect box{dib.Width(), dib.Height(), -1, -1};
        for (int y = 0; y < dib.Height(); ++y)
            for (int x = 0; x < dib.Width(); ++x)
                if (At(x, y) != kBack) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    }
};

std::uint32_t Px(TColor c) { return ColorToPixel(c) & 0xFFFFFF; }

class SkinDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        classlib::UseSystemColors();
        RegisterSkinResourcesUnit();
        classlib::Startup();
    }
    void TearDown() override { classlib::Shutdown(); }
};

}  // namespace

TEST_F(SkinDrawing, ColoursShapesAndFrames) {
    EXPECT_EQ(BlendColor(clWhite, clBlack, 128), 0x7F7F7F);
    EXPECT_EQ(BlendColor(clBtnFace, clBtnFace, 255), TColor(BlendColors(ColorToRGB(clBtnFace), 0, 255)));
    TCanvasDIB c(20, 20);
    EXPECT_FALSE(FillRectColor(c.DC(), Rect(0, 0, 20, 20), clNone));
    EXPECT_EQ(c.Ink().Right, -1);
    EXPECT_TRUE(FillRectColor(c.DC(), Rect(2, 2, 5, 5), clBtnShadow));
    EXPECT_EQ(c.At(2, 2), Px(clBtnShadow));
    EXPECT_EQ(c.At(5, 5), kBack);

    TCanvasDIB f(20, 20);
    TRect r = Rect(1, 1, 11, 11);
    FrameRectColor(f.DC(), r, 0x0000FF, true);
    EXPECT_EQ(r, Rect(2, 2, 10, 10));
    EXPECT_EQ(f.At(1, 1), 0xFF0000u);
    EXPECT_EQ(f.At(10, 5), 0xFF0000u);
    EXPECT_EQ(f.At(2, 2), kBack);

    // 3-D frame: left and top in the first colour, right and bottom in the second, inside the rectangle.
    TCanvasDIB d(20, 20);
    TRect e = Rect(0, 0, 10, 10);
    Frame3D(d.DC(), e, 0xFFFFFF, 0x000000, true);
    EXPECT_EQ(e, Rect(1, 1, 9, 9));
    EXPECT_EQ(d.At(0, 5), 0xFFFFFFu);
    EXPECT_EQ(d.At(5, 0), 0xFFFFFFu);
    EXPECT_EQ(d.At(9, 5), 0x000000u);
    EXPECT_EQ(d.At(5, 9), 0x000000u);
    EXPECT_EQ(d.At(0, 9), 0x000000u);
    EXPECT_EQ(d.At(10, 5), kBack);
    TRect unadjusted = Rect(0, 0, 10, 10);
    Frame3D(d.DC(), unadjusted, 0xFFFFFF, 0x000000, false);
    EXPECT_EQ(unadjusted, Rect(0, 0, 8, 8));

    TCanvasDIB p(20, 20);
    PolygonColor(p.DC(), {Point(2, 2), Point(12, 2), Point(2, 12)}, clNone, clNone);
    EXPECT_EQ(p.Ink().Right, -1);
    PolygonColor(p.DC(), {Point(2, 2), Point(12, 2), Point(2, 12)}, 0x00FF00, 0xFF0000);
    EXPECT_EQ(p.At(2, 2), 0x00FF00u);
    EXPECT_EQ(p.At(4, 4), 0x0000FFu);
    DrawLineColor(p.DC(), 0, 18, 10, 18, 0x0000FF);
    EXPECT_EQ(p.At(0, 18), 0xFF0000u);
    EXPECT_EQ(p.At(9, 18), 0xFF0000u);
    EXPECT_EQ(p.At(10, 18), kBack);  // the end point is not drawn
}

TEST_F(SkinDrawing, DitherIsACheckerOfTheTwoColours) {
    TCanvasDIB c(16, 16);
    DitherRect(c.DC(), Rect(0, 0, 16, 16), clWhite, clBlack);
    EXPECT_NE(c.At(0, 0), c.At(1, 0));
    EXPECT_EQ(c.At(0, 0), c.At(1, 1));
    EXPECT_EQ(c.At(0, 0), c.At(8, 0));
    for (int x = 0; x < 2; ++x) EXPECT_TRUE(c.At(x, 0) == 0xFFFFFFu || c.At(x, 0) == 0u);
}

TEST_F(SkinDrawing, TextStaysInsideItsRectangleAndRotatesBothWays) {
    TCanvasDIB c(60, 120);
    TGdiHandle<HFONT> font(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    ::SelectObject(c.DC(), font.Get());
    const TRect box = Rect(10, 10, 40, 110);
    DrawSkinText(c.DC(), u"Vertical", box, 0x000000, 0x01000000 | DT_CENTER | DT_VCENTER);
    const TRect up = c.Ink();
    ASSERT_GE(up.Right, 0);
    EXPECT_GE(up.Left, box.Left);
    EXPECT_LE(up.Right, box.Right);
    EXPECT_GE(up.Top, box.Top);
    EXPECT_LE(up.Bottom, box.Bottom);
    EXPECT_GT(up.Height(), up.Width());  // runs along the column

    TCanvasDIB d(60, 120);
    ::SelectObject(d.DC(), font.Get());
    DrawSkinText(d.DC(), u"A long caption that cannot fit in the column at all", box, 0x000000,
                 0x02000000 | DT_END_ELLIPSIS);
    const TRect down = d.Ink();
    ASSERT_GE(down.Right, 0);
    EXPECT_GE(down.Top, box.Top);
    EXPECT_LE(down.Bottom, box.Bottom);

    TCanvasDIB e(60, 120);
    ::SelectObject(e.DC(), font.Get());
    DrawSkinText(e.DC(), u"Text", box, 0x000000, 0x03000000);  // unknown rotation: nothing
    DrawSkinText(e.DC(), u"", box, 0x000000, 0);
    EXPECT_EQ(e.Ink().Right, -1);
    ::SetTextColor(e.DC(), 0x0000FF);
    DrawSkinText(e.DC(), u"Red", box, clDefault, DT_SINGLELINE);
    const TRect ink = e.Ink();
    ASSERT_GE(ink.Right, 0);
    bool red = false;
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x) red |= e.At(x, y) == 0xFF0000u;
    EXPECT_TRUE(red);
    EXPECT_EQ(::GetTextColor(e.DC()), 0x0000FFu);
    EXPECT_EQ(::GetBkMode(e.DC()), OPAQUE);
}

TEST_F(SkinDrawing, ImageListsDrawWithEffectsOnlyInRange) {
    HIMAGELIST list = ::ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    ASSERT_NE(list, nullptr);
    TDIB32 image;
    image.SetSize(8, 8);
    image.Fill(0xFFFFFFFFu);
    image.FillRect(Rect(0, 0, 4, 8), 0xFF000000u);  // left half black, right half white
    HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 32, image.Pixels());
    ::ImageList_Add(list, bitmap, nullptr);
    ::DeleteObject(bitmap);

    TCanvasDIB c(20, 20);
    TImageEffects none;
    EXPECT_FALSE(DrawImageWithEffects(list, -1, c.DC(), none, Rect(0, 0, 0, 0)));
    EXPECT_FALSE(DrawImageWithEffects(list, 1, c.DC(), none, Rect(0, 0, 0, 0)));
    EXPECT_FALSE(DrawImageWithEffects(nullptr, 0, c.DC(), none, Rect(0, 0, 0, 0)));
    EXPECT_EQ(c.Ink().Right, -1);
    TImageEffects mono;
    mono.monochrome = true;
    EXPECT_TRUE(DrawImageWithEffects(list, 0, c.DC(), mono, Rect(2, 2, 0, 0)));
    EXPECT_EQ(c.At(3, 3), 0xFFFFFFu);  // dark pixels become white
    EXPECT_EQ(c.At(8, 3), 0x000000u);  // light ones black
    EXPECT_EQ(c.At(10, 3), kBack);

    TCanvasDIB f(20, 20);
    TImageEffects faded;
    faded.opacity = 95;
    EXPECT_TRUE(DrawImageWithEffects(list, 0, f.DC(), faded, Rect(0, 0, 0, 0)));
    const std::uint32_t expected = ((0x12 * 161 + 0xFF * 0) >> 8);  // red of the background, black image
    EXPECT_EQ(f.At(0, 0) >> 16, expected);
    ::ImageList_Destroy(list);
}

TEST_F(SkinDrawing, AlphaImageListsDrawThroughTheirColourEffects) {
    themed::RegisterBuiltInColorEffects();
    TObjectPtr<TSkinImageList> list(Create<TSkinImageList>(nullptr, 8, 8));
    TDIB32 image;
    image.SetSize(8, 8);
    image.Fill(0xFFFFFFFFu);  // opaque white
    ASSERT_EQ(list->AddImage(&image, Rect(0, 0, 8, 8)), 0);
    list->Handle();

    TCanvasDIB plain(20, 20);
    DrawImage(plain.DC(), Rect(2, 2, 2, 2), list.get(), 0);
    EXPECT_EQ(plain.At(2, 2), 0xFFFFFFu);
    EXPECT_EQ(plain.At(9, 9), 0xFFFFFFu);
    EXPECT_EQ(plain.At(10, 10), kBack);
    DrawImage(plain.DC(), Rect(0, 0, 0, 0), list.get(), 1);  // out of range: nothing
    EXPECT_EQ(plain.At(0, 0), kBack);

    // Style 2: a black silhouette at 95 / 255 over the background.
    TCanvasDIB disabled(20, 20);
    DrawImageDisabled(disabled.DC(), Rect(0, 0, 0, 0), list.get(), 0, 2);
    const std::uint32_t red = disabled.At(4, 4) >> 16;
    EXPECT_LT(red, 0x12u);
    EXPECT_GT(red, 0x12u * 100 / 256);

    TCanvasDIB tinted(20, 20);
    DrawImageTinted(tinted.DC(), Rect(0, 0, 0, 0), list.get(), 0, 0x0000FF, 0);  // amount 0: all tint
    EXPECT_EQ(tinted.At(4, 4), 0xFF0000u);
}
