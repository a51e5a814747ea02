#include <gtest/gtest.h>

#include <cstring>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoBitmap.h"

namespace {

Byte Code(std::int32_t x, std::int32_t y, int c) { return Byte(x * 17 + y * 5 + c * 71); }

// A w x h bitmap whose pixel (x, y) holds Code(x, y, channel).
void MakePattern(TKelvoLTBitmap& b, std::int32_t w, std::int32_t h, std::uint16_t format = KelvoFormatBGR24) {
    ASSERT_TRUE(b.SetSize(w, h, format));
    TKelvoPixels& p = b.GetPixels();
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            for (int c = 0; c < p.BytesPerPixel(); ++c) p.PixelAddress(x, y)[c] = Code(x, y, c);
}

// True when pixel (x, y) of b holds the pattern's pixel (sx, sy).
bool Holds(const TKelvoLTBitmap& b, std::int32_t x, std::int32_t y, std::int32_t sx, std::int32_t sy) {
    const Byte* q = b.GetPixels().PixelAddress(x, y);
    return q[0] == Code(sx, sy, 0) && q[1] == Code(sx, sy, 1) && q[2] == Code(sx, sy, 2);
}

bool IsPattern(const TKelvoLTBitmap& b, std::int32_t w, std::int32_t h) {
    if (b.GetWidth() != w || b.GetHeight() != h) return false;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            if (!Holds(b, x, y, x, y)) return false;
    return true;
}

}  // namespace

TEST(LTBitmap, HandleDescribesTheBlockAndFollowsEveryNewOne) {
    TKelvoLTBitmap b;
    EXPECT_FALSE(b.Handle().Allocated);
    MakePattern(b, 7, 3);
    EXPECT_TRUE(b.Handle().Allocated);
    EXPECT_EQ(b.Handle().Width, 7);
    EXPECT_EQ(b.Handle().Height, 3);
    EXPECT_EQ(b.Handle().BitsPerPixel, 24);
    EXPECT_EQ(b.Handle().BytesPerLine, b.GetPixels().Stride());
    EXPECT_EQ(b.Handle().Memory, b.GetPixels().Bits());
    ASSERT_TRUE(b.RotateRight());
    EXPECT_EQ(b.Handle().Width, 3);
    EXPECT_EQ(b.Handle().Memory, b.GetPixels().Bits());
    b.FreeBitmap();
    EXPECT_FALSE(b.Handle().Allocated);
    EXPECT_EQ(b.GetWidth(), 0);
}

TEST(LTBitmap, QuarterTurnsAndFlipsPlacePixelsExactly) {
    TKelvoLTBitmap b;
    MakePattern(b, 3, 2);
    ASSERT_TRUE(b.RotateLeft());  // (x, y) -> (y, W - 1 - x)
    ASSERT_EQ(b.GetWidth(), 2);
    ASSERT_EQ(b.GetHeight(), 3);
    EXPECT_TRUE(Holds(b, 0, 2, 0, 0));
    EXPECT_TRUE(Holds(b, 1, 0, 2, 1));
    ASSERT_TRUE(b.RotateRight());
    EXPECT_TRUE(IsPattern(b, 3, 2));

    ASSERT_TRUE(b.RotateRight());  // (x, y) -> (H - 1 - y, x)
    EXPECT_TRUE(Holds(b, 1, 0, 0, 0));
    EXPECT_TRUE(Holds(b, 0, 2, 2, 1));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(b.RotateRight());
    EXPECT_TRUE(IsPattern(b, 3, 2));

    ASSERT_TRUE(b.FlipHorizontal());
    EXPECT_TRUE(Holds(b, 0, 0, 2, 0));
    EXPECT_TRUE(Holds(b, 2, 1, 0, 1));
    ASSERT_TRUE(b.FlipHorizontal());
    ASSERT_TRUE(b.FlipVertical());
    EXPECT_TRUE(Holds(b, 1, 0, 1, 1));
    ASSERT_TRUE(b.FlipVertical());
    EXPECT_TRUE(IsPattern(b, 3, 2));
}

TEST(LTBitmap, TurnsAndFlipsOf32BitPixelsAreRefused) {
    TKelvoLTBitmap b;
    MakePattern(b, 4, 2, KelvoFormatBGRA32);
    const Byte* before = b.GetPixels().Bits();
    EXPECT_FALSE(b.RotateLeft());
    EXPECT_FALSE(b.RotateRight());
    EXPECT_FALSE(b.FlipHorizontal());
    EXPECT_FALSE(b.FlipVertical());
    EXPECT_FALSE(b.Resize(8, 4));
    EXPECT_EQ(b.GetPixels().Bits(), before);
    EXPECT_EQ(b.GetWidth(), 4);
    EXPECT_EQ(b.GetFormat(), KelvoFormatBGRA32);
}

TEST(LTBitmap, CropTakesTheIntersectionAndRefusesARectangleOutside) {
    TKelvoLTBitmap b;
    MakePattern(b, 6, 5);
    EXPECT_FALSE(b.Crop(TKelvoRect{6, 0, 10, 5}));
    EXPECT_FALSE(b.Crop(TKelvoRect{2, 2, 2, 4}));
    EXPECT_TRUE(IsPattern(b, 6, 5));

    ASSERT_TRUE(b.Crop(TKelvoRect{4, -3, 9, 2}));  // only (4, 0) .. (6, 2) is inside
    ASSERT_EQ(b.GetWidth(), 2);
    ASSERT_EQ(b.GetHeight(), 2);
    EXPECT_TRUE(Holds(b, 0, 0, 4, 0));
    EXPECT_TRUE(Holds(b, 1, 1, 5, 1));
}

TEST(LTBitmap, ABlockThatCannotBeMadeLeavesTheBitmapAsItWas) {
    TKelvoLTBitmap b;
    MakePattern(b, 5, 4);
    // 40000 x 40000 x 3 bytes is beyond what one block may hold.
    EXPECT_FALSE(b.SetSize(40000, 40000, KelvoFormatBGR24));
    EXPECT_FALSE(b.Resize(40000, 40000));
    EXPECT_FALSE(b.SetSize(-1, 4, KelvoFormatBGR24));
    EXPECT_FALSE(b.SetSize(4, 4, 0x0009));  // a format of no known size
    EXPECT_TRUE(IsPattern(b, 5, 4));
    EXPECT_TRUE(b.Handle().Allocated);
}

TEST(LTBitmap, CloneAndAssignCopyPixelsFromAnyRectangle) {
    TKelvoLTBitmap b;
    MakePattern(b, 4, 3);
    std::unique_ptr<TKelvoLTBitmap> copy = b.Clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(IsPattern(*copy, 4, 3));
    EXPECT_NE(copy->GetPixels().Bits(), b.GetPixels().Bits());

    // A buffer placed at (10, 20) lands at (0, 0).
    TKelvoPixelBuffer moved(KelvoFormatBGR24, TKelvoRect{10, 20, 14, 23});
    moved.CopyRect(10, 20, b.GetBounds(), b.GetPixels());
    TKelvoLTBitmap c;
    ASSERT_TRUE(c.Assign(moved));
    EXPECT_TRUE(IsPattern(c, 4, 3));

    TKelvoPixelBuffer out;
    TKelvoLTBitmap::CopyBitmapToPixels(c, out);
    EXPECT_EQ(out.GetBounds(), (TKelvoRect{0, 0, 4, 3}));
    EXPECT_EQ(out.PixelAddress(3, 2)[1], Code(3, 2, 1));
}

TEST(LTBitmap, ResizeKeepsAUniformGreyAndGivesTheNewSize) {
    TKelvoLTBitmap b;
    ASSERT_TRUE(b.SetSize(9, 7, KelvoFormatBGR24));
    TKelvoPixels& p = b.GetPixels();
    for (std::int32_t y = 0; y < 7; ++y)
        for (std::int32_t x = 0; x < 9; ++x) MakeBGR(p.PixelAddress(x, y), 200, 201, 202);
    ASSERT_TRUE(b.Resize(20, 3));
    ASSERT_EQ(b.GetWidth(), 20);
    ASSERT_EQ(b.GetHeight(), 3);
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 20; ++x) {
            const Byte* q = b.GetPixels().PixelAddress(x, y);
            ASSERT_EQ(q[0], 202);
            ASSERT_EQ(q[2], 200);
        }
    EXPECT_FALSE(b.Resize(0, 3));
}

TEST(LTBitmap, AssignOfALargeImageCopiesEveryRowInItsPlace) {
    // Above 16 MiB the rows are copied in bands by several threads; an odd height leaves a short last band.
    TKelvoPixelBuffer source(KelvoFormatBGR24, TKelvoRect{0, 0, 2401, 2403});
    for (std::int32_t y = 0; y < source.Height(); ++y) {
        Byte* row = source.Row(y);
        for (std::int32_t i = 0; i < source.Width() * 3; ++i) row[i] = Byte(y * 31 + i);
    }
    TKelvoLTBitmap b;
    ASSERT_TRUE(b.Assign(source));
    for (std::int32_t y = 0; y < source.Height(); ++y)
        ASSERT_EQ(std::memcmp(b.GetPixels().Row(y), source.Row(y), std::size_t(source.Width()) * 3), 0) << y;
}
