#include <gtest/gtest.h>

#include <cstring>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/WindowDC.h"

using graphicstest::Surface;

namespace {
struct Counter {
    int n = 0;
    void Hit(TObject*) { ++n; }
};

// Every row of the bitmap, byte by byte, as the DIB section holds it.
std::vector<Byte> Rows(TBitmap& b) {
    std::vector<Byte> out;
    for (int y = 0; y < b.Height(); ++y) {
        const Byte* row = static_cast<const Byte*>(b.ScanLine(y));
        out.insert(out.end(), row, row + b.RowBytes());
    }
    return out;
}

void PaintSample(TBitmap& b) {
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, b.Width(), b.Height()));
    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(0, 0, b.Width() / 2, 1));
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(1, 2, 3, 4));
}
}  // namespace

TEST(GraphicsBitmap, PixelFormatsAndScanLines) {
    const std::pair<TPixelFormat, int> formats[] = {
        {pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf24bit, 24}, {pf32bit, 32}};
    for (auto [format, bits] : formats) {
        SCOPED_TRACE(bits);
        TObjectPtr<TBitmap> b = MakeObject<TBitmap>();
        b->SetPixelFormat(format);
        b->SetSize(13, 5);
        EXPECT_EQ(b->BitsPerPixel(), bits);
        EXPECT_EQ(b->RowBytes(), (13 * bits + 31) / 32 * 4);
        EXPECT_NE(b->ScanLine(0), nullptr);
        // Rows are RowBytes apart whatever order the section keeps them in.
        std::ptrdiff_t step = static_cast<Byte*>(b->ScanLine(0)) - static_cast<Byte*>(b->ScanLine(1));
        EXPECT_EQ(std::abs(step), b->RowBytes());
        EXPECT_THROW(b->ScanLine(-1), EInvalidGraphic);
        EXPECT_THROW(b->ScanLine(5), EInvalidGraphic);
        if (bits <= 8) {
            EXPECT_FALSE(b->Palette().empty());
        }
    }
    TObjectPtr<TBitmap> empty = MakeObject<TBitmap>();
    EXPECT_TRUE(empty->Empty());
    EXPECT_THROW(empty->ScanLine(0), EInvalidGraphic);
    TObjectPtr<TBitmap> device = MakeObject<TBitmap>();
    device->SetPixelFormat(pfDevice);
    device->SetSize(4, 4);
    EXPECT_EQ(device->PixelFormat(), pfDevice);
    EXPECT_NE(device->ScanLine(3), nullptr);
}

TEST(GraphicsBitmap, CanvasDrawingReachesTheScanLinesAndRaisesOnChange) {
    TObjectPtr<TBitmap> b = MakeObject<TBitmap>();
    Counter changes;
    b->OnChange = MakeMethod<&Counter::Hit>(&changes);
    b->SetSize(6, 4);
    int afterResize = changes.n;
    EXPECT_GE(afterResize, 1);
    b->Canvas()->Brush()->SetColor(clRed);
    b->Canvas()->FillRect(Rect(0, 0, 6, 1));
    EXPECT_EQ(changes.n, afterResize + 1);
    const Byte* top = static_cast<const Byte*>(b->ScanLine(0));
    EXPECT_EQ(top[0], 0);    // blue
    EXPECT_EQ(top[2], 255);  // red
    const Byte* below = static_cast<const Byte*>(b->ScanLine(1));
    EXPECT_EQ(below[2], 255);
    EXPECT_EQ(below[0], 255);  // a new bitmap starts white

    // Growing keeps the picture; the new part is white.
    b->SetSize(10, 8);
    EXPECT_EQ(static_cast<const Byte*>(b->ScanLine(0))[2], 255);
    EXPECT_EQ(static_cast<const Byte*>(b->ScanLine(0))[1], 0);
    EXPECT_EQ(b->Canvas()->Pixels(8, 0), clWhite);
    EXPECT_EQ(b->Canvas()->Pixels(5, 0), clRed);
}

TEST(GraphicsBitmap, EveryDepthRoundTripsThroughAStream) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(format);
        TObjectPtr<TBitmap> b = MakeObject<TBitmap>();
        b->SetPixelFormat(format);
        b->SetSize(11, 6);
        PaintSample(*b);
        TMemoryStream stream;
        b->SaveToStream(stream);
        const Byte trailer[] = {0xDE, 0xAD};
        stream.WriteBuffer(trailer, 2);

        stream.SetPosition(0);
        TObjectPtr<TBitmap> back = MakeObject<TBitmap>();
        back->LoadFromStream(stream);
        // Exactly one file was taken from the stream.
        EXPECT_EQ(stream.Remaining(), 2);
        EXPECT_EQ(back->PixelFormat(), format);
        EXPECT_EQ(back->Width(), 11);
        EXPECT_EQ(back->Height(), 6);
        EXPECT_EQ(back->Palette(), b->Palette());
        EXPECT_EQ(Rows(*back), Rows(*b));
        EXPECT_EQ(back->Canvas()->Pixels(0, 0), clBlack);
        EXPECT_EQ(back->Canvas()->Pixels(10, 5), clWhite);
    }
}

TEST(GraphicsBitmap, MalformedFilesLeaveTheBitmapAsItWas) {
    TObjectPtr<TBitmap> b = MakeObject<TBitmap>();
    b->SetSize(3, 3);
    PaintSample(*b);
    std::vector<Byte> before = Rows(*b);
    TMemoryStream good;
    b->SaveToStream(good);

    TMemoryStream cut;
    cut.WriteBuffer(good.Memory(), static_cast<std::int32_t>(good.Size() - 1));
    cut.SetPosition(0);
    EXPECT_THROW(b->LoadFromStream(cut), EInvalidGraphic);
    TMemoryStream junk;
    junk.WriteBuffer("MB not a bitmap at all", 22);
    junk.SetPosition(0);
    EXPECT_THROW(b->LoadFromStream(junk), EInvalidGraphic);
    EXPECT_EQ(b->Width(), 3);
    EXPECT_EQ(Rows(*b), before);

    // An empty stream gives an empty bitmap, which saves as nothing.
    TMemoryStream none;
    b->LoadFromStream(none);
    EXPECT_TRUE(b->Empty());
    b->SaveToStream(none);
    EXPECT_EQ(none.Size(), 0);
}

TEST(GraphicsBitmap, HandlesAreTakenOverAndHandedOut) {
    const TWindowDC screenWindowDC;
    HDC screen = screenWindowDC.Get();
    HBITMAP ddb = ::CreateCompatibleBitmap(screen, 5, 7);
    TObjectPtr<TBitmap> b = MakeObject<TBitmap>();
    b->SetHandle(ddb);
    EXPECT_EQ(b->Width(), 5);
    EXPECT_EQ(b->Height(), 7);
    // A device bitmap is copied into a section of our own and freed.
    EXPECT_NE(b->Handle(), ddb);
    EXPECT_EQ(::GetObjectType(ddb), 0u);
    EXPECT_NE(b->ScanLine(6), nullptr);
    // Something that is no bitmap is refused and left alone.
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(0));
    EXPECT_THROW(b->SetHandle(reinterpret_cast<HBITMAP>(brush.Get())), EInvalidGraphic);
    EXPECT_EQ(b->Width(), 5);

    b->Canvas()->Brush()->SetColor(clBlue);
    b->Canvas()->FillRect(Rect(0, 0, 5, 7));
    HBITMAP released = b->ReleaseHandle();
    EXPECT_TRUE(b->Empty());
    EXPECT_EQ(b->Handle(), nullptr);
    TGdiHandle<HBITMAP> owned(released);
    // The handle is no longer selected into the bitmap's canvas DC: it can be selected elsewhere.
    Surface s(8, 8);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, owned.Get());
    EXPECT_NE(old, nullptr);
    EXPECT_EQ(::GetPixel(dc, 2, 2), RGB(0, 0, 255));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
}

TEST(GraphicsBitmap, AssignCopiesThePixels) {
    TObjectPtr<TBitmap> a = MakeObject<TBitmap>();
    a->SetPixelFormat(pf8bit);
    a->SetSize(4, 4);
    PaintSample(*a);
    a->SetTransparent(true);
    a->SetTransparentColor(clRed);
    TObjectPtr<TBitmap> b = MakeObject<TBitmap>();
    Counter changes;
    b->OnChange = MakeMethod<&Counter::Hit>(&changes);
    b->Assign(a.get());
    EXPECT_GE(changes.n, 1);
    EXPECT_EQ(b->PixelFormat(), pf8bit);
    EXPECT_EQ(Rows(*b), Rows(*a));
    EXPECT_TRUE(b->Transparent());
    EXPECT_EQ(b->TransparentColor(), clRed);
    EXPECT_EQ(b->TransparentMode(), tmFixed);
    // A copy, not a share.
    a->Canvas()->Brush()->SetColor(clBlack);
    a->Canvas()->FillRect(Rect(0, 0, 4, 4));
    EXPECT_NE(Rows(*b), Rows(*a));
    b->Assign(nullptr);
    EXPECT_TRUE(b->Empty());
}

TEST(GraphicsBitmap, TransparentDrawingLetsTheBackgroundThrough) {
    TObjectPtr<TBitmap> b = MakeObject<TBitmap>();
    b->SetSize(4, 4);
    b->Canvas()->Brush()->SetColor(clRed);
    b->Canvas()->FillRect(Rect(0, 0, 4, 4));
    b->Canvas()->Brush()->SetColor(clBlue);
    b->Canvas()->FillRect(Rect(1, 1, 3, 3));
    // Automatic mode: the bottom-left pixel's colour is the transparent one.
    EXPECT_EQ(b->TransparentColor(), clRed);
    b->SetTransparent(true);

    Surface s(8, 8, RGB(0, 255, 0));
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Draw(2, 2, b.get());
    EXPECT_EQ(s.At(2, 2), RGB(0, 255, 0));
    EXPECT_EQ(s.At(3, 3), RGB(0, 0, 255));
    EXPECT_EQ(s.At(4, 4), RGB(0, 0, 255));
    EXPECT_EQ(s.At(5, 5), RGB(0, 255, 0));

    // A fixed colour: now blue is the hole.
    b->SetTransparentColor(clBlue);
    s.Fill(RGB(0, 255, 0));
    c->Draw(0, 0, b.get());
    EXPECT_EQ(s.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(s.At(1, 1), RGB(0, 255, 0));
    b->SetTransparentMode(tmAuto);
    EXPECT_EQ(b->TransparentColor(), clRed);
}

TEST(GraphicsBitmap, MissingResourceRaises) {
    TObjectPtr<TBitmap> b = MakeObject<TBitmap>();
    EXPECT_THROW(b->LoadFromResourceName(nullptr, "NO_SUCH_BITMAP_HERE"), EResNotFound);
    EXPECT_THROW(b->LoadFromResourceID(nullptr, 32123), EResNotFound);
    EXPECT_TRUE(b->Empty());
}
