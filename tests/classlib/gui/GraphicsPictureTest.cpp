#include <gtest/gtest.h>

#include <cstring>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "classlib/core/TFileStream.h"
#include "classlib/win/TPicture.h"
#include "tests/support/TestSupport.h"

using graphicstest::Surface;

namespace {
// A graphic of a made-up format: its file holds one byte, its width.
class TTestGraphic : public TGraphic {
    CLASSLIB_GRAPHIC(TTestGraphic, TGraphic)
public:
    void Draw(TCanvas*, const TRect&) override {}
    bool Empty() const override { return width_ == 0; }
    int Width() const override { return width_; }
    void SetWidth(int w) override { width_ = w; }
    int Height() const override { return 1; }
    void SetHeight(int) override {}
    void LoadFromStream(TStream& s) override {
        Byte b = 0;
        s.ReadBuffer(&b, 1);
        width_ = b;
    }
    void SaveToStream(TStream& s) override {
        Byte b = Byte(width_);
        s.WriteBuffer(&b, 1);
    }
    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TTestGraphic*>(source)) {
            width_ = other->width_;
            return;
        }
        TGraphic::Assign(source);
    }

private:
    int width_ = 0;
};

// An icon file with one 32x32 image of 32 bits: opaque red everywhere.
std::vector<Byte> RedIconFile() {
    const int w = 32, h = 32;
    std::vector<Byte> image(40 + w * h * 4 + h * 4, 0);
    auto put32 = [&](std::vector<Byte>& d, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) d[at + i] = Byte(v >> (8 * i));
    };
    put32(image, 0, 40);
    put32(image, 4, w);
    put32(image, 8, h * 2);
    image[12] = 1;
    image[14] = 32;
    for (int i = 0; i < w * h; ++i) put32(image, 40 + i * 4, 0xFFFF0000u);
    std::vector<Byte> file = {0, 0, 1, 0, 1, 0, Byte(w), Byte(h), 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0};
    put32(file, 14, std::uint32_t(image.size()));
    file.insert(file.end(), image.begin(), image.end());
    return file;
}
}  // namespace

TEST(GraphicsPicture, FileFormatsAreRegisteredByExtension) {
    EXPECT_EQ(TPicture::FileFormatClass("BMP"), TGraphicClass::Of<TBitmap>());
    EXPECT_EQ(TPicture::FileFormatClass("ico"), TGraphicClass::Of<TIcon>());
    EXPECT_FALSE(TPicture::FileFormatClass("tst"));

    TObjectPtr<TPicture> p = MakeObject<TPicture>();
    try {
        p->LoadFromFile("c:\\some.dir\\picture.Xyz");
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.Xyz)");
    }
    EXPECT_THROW(p->LoadFromFile("c:\\dir.bmp\\noextension"), EInvalidGraphic);

    TPicture::RegisterFileFormat("tst", "Test pictures", TGraphicClass::Of<TTestGraphic>());
    EXPECT_EQ(TPicture::GraphicFilter(TGraphicClass::Of<TTestGraphic>()),
              "All (*.tst)|*.tst|Test pictures (*.tst)|*.tst");
    AnsiString all = TPicture::GraphicFilter(TGraphicClass::Of<TGraphic>());
    EXPECT_EQ(all.rfind("All (*.bmp;*.ico;*.tst)|*.bmp;*.ico;*.tst|Bitmaps (*.bmp)|*.bmp|", 0), 0u) << all;

    TMemoryStream s;
    const Byte width = 42;
    s.WriteBuffer(&width, 1);
    s.SetPosition(0);
    p->LoadFromStream(s, "TST");
    ASSERT_TRUE(Is<TTestGraphic>(p->Graphic()));
    EXPECT_EQ(p->Width(), 42);

    TPicture::UnregisterGraphicClass(TGraphicClass::Of<TTestGraphic>());
    EXPECT_FALSE(TPicture::FileFormatClass("tst"));
    s.SetPosition(0);
    EXPECT_THROW(p->LoadFromStream(s, "tst"), EInvalidGraphic);
    EXPECT_EQ(p->Width(), 42);  // the old graphic stays
}

TEST(GraphicsPicture, BitmapFilesIconsAndGraphicReplacement) {
    testsupport::TempDir dir;
    TObjectPtr<TPicture> p = MakeObject<TPicture>();
    int changes = 0;
    struct Hit {
        int* n;
        void On(TObject*) { ++*n; }
    } hit{&changes};
    p->OnChange = MakeMethod<&Hit::On>(&hit);
    p->Bitmap()->SetSize(3, 2);
    p->Bitmap()->Canvas()->Brush()->SetColor(clRed);
    p->Bitmap()->Canvas()->FillRect(Rect(0, 0, 3, 2));
    EXPECT_GE(changes, 2);  // the picture passes on its graphic's changes
    p->SaveToFile(dir.File("red.bmp"));

    TObjectPtr<TPicture> q = MakeObject<TPicture>();
    q->LoadFromFile(dir.File("red.bmp"));
    ASSERT_TRUE(Is<TBitmap>(q->Graphic()));
    EXPECT_EQ(q->Width(), 3);
    EXPECT_EQ(q->Bitmap()->Canvas()->Pixels(2, 1), clRed);
    // Asking for another kind of graphic replaces the one held.
    TIcon* icon = q->Icon();
    EXPECT_TRUE(icon->Empty());
    EXPECT_EQ(q->Graphic(), icon);

    std::vector<Byte> ico = RedIconFile();
    {
        TFileStream f(dir.File("red.ico"), fmCreate);
        f.WriteBuffer(ico.data(), std::int32_t(ico.size()));
    }
    q->LoadFromFile(dir.File("red.ico"));
    ASSERT_TRUE(Is<TIcon>(q->Graphic()));
    EXPECT_EQ(q->Width(), 32);
    EXPECT_EQ(q->Height(), 32);
    Surface s(40, 40, RGB(0, 0, 255));
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Draw(4, 4, q->Graphic());
    EXPECT_EQ(s.At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(s.At(2, 2), RGB(0, 0, 255));
    // An icon read from a file writes that file back.
    TMemoryStream out;
    q->Graphic()->SaveToStream(out);
    ASSERT_EQ(out.Size(), std::int64_t(ico.size()));
    EXPECT_EQ(std::memcmp(out.Memory(), ico.data(), ico.size()), 0);

    // Copies are of the same class and independent.
    p->Assign(q.get());
    ASSERT_TRUE(Is<TIcon>(p->Graphic()));
    EXPECT_NE(static_cast<TIcon*>(p->Graphic())->Handle(), static_cast<TIcon*>(q->Graphic())->Handle());
    p->SetGraphic(nullptr);
    EXPECT_EQ(p->Graphic(), nullptr);
    EXPECT_EQ(p->Width(), 0);

    TObjectPtr<TIcon> bad = MakeObject<TIcon>();
    TMemoryStream junk;
    junk.WriteBuffer(ico.data(), 30);
    junk.SetPosition(0);
    EXPECT_THROW(bad->LoadFromStream(junk), EInvalidGraphic);
    EXPECT_THROW(bad->SetWidth(3), EInvalidGraphic);
    EXPECT_THROW(bad->LoadFromResourceName(nullptr, "NO_SUCH_ICON"), EResNotFound);
}
