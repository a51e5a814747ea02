#include <gtest/gtest.h>

#include <cstring>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "classlib/core/Exceptions.h"

namespace {

// Fills every pixel with a value derived from its image coordinates so that misplaced copies show.
void FillPattern(TKelvoPixels& p) {
    for (std::int32_t y = p.Top(); y < p.Top() + p.Height(); ++y)
        for (std::int32_t x = p.Left(); x < p.Left() + p.Width(); ++x) {
            Byte* q = p.PixelAddress(x, y);
            for (int c = 0; c < p.BytesPerPixel(); ++c) q[c] = Byte(x * 7 + y * 13 + c * 101);
        }
}

bool HasPattern(const TKelvoPixels& p, std::int32_t x, std::int32_t y) {
    const Byte* q = p.PixelAddress(x, y);
    for (int c = 0; c < p.BytesPerPixel(); ++c)
        if (q[c] != Byte(x * 7 + y * 13 + c * 101)) return false;
    return true;
}

// Quarter turns and flips as the plain per-pixel loops they must match: 0 left, 1 right, 2 horizontal flip,
// 3 vertical flip. Pixel (x, y) of the source, relative to its bounds, goes to place(x, y).
void PlainTurn(const TKelvoPixels& src, int op, TKelvoPixelBuffer& out) {
    const std::int32_t W = src.Width(), H = src.Height();
    out.SetFormatAndBounds(KelvoFormatBGR24, op < 2 ? MakeRect(0, 0, H, W) : MakeRect(0, 0, W, H));
    for (std::int32_t y = 0; y < H; ++y)
        for (std::int32_t x = 0; x < W; ++x) {
            std::int32_t dx = W - 1 - x, dy = H - 1 - y;
            if (op == 0) dx = y, dy = W - 1 - x;
            if (op == 1) dx = H - 1 - y, dy = x;
            if (op == 2) dy = y;
            if (op == 3) dx = x;
            std::memcpy(out.PixelAddress(dx, dy), src.PixelAddress(src.Left() + x, src.Top() + y), 3);
        }
}

}  // namespace

TEST(PixelFormat, BitsAndStrides) {
    EXPECT_EQ(BitsPerPixel(0x1012), 24);
    EXPECT_EQ(BitsPerPixel(0x1112), 32);
    EXPECT_EQ(BitsPerPixel(0x0001), 8);
    EXPECT_EQ(BitsPerPixel(0x0006), 32);
    EXPECT_EQ(BitsPerPixel(0x0009), 0);
    EXPECT_EQ(BitsPerPixel(0x0042), 96);  // quadrupled
    EXPECT_EQ(BitsPerPixel(0x0131), 32);  // 8 + alpha, doubled
    EXPECT_EQ(ToGdiPlusPixelFormat(0x1012), 0x21808u);
    EXPECT_EQ(ToGdiPlusPixelFormat(0x1112), 0x26200Au);
    EXPECT_EQ(ToGdiPlusPixelFormat(0x0001), 0u);
    // Rows padded to 4 bytes.
    EXPECT_EQ(PixelRowStride(0x1012, 1), 4);
    EXPECT_EQ(PixelRowStride(0x1012, 5), 16);
    EXPECT_EQ(PixelRowStride(0x1012, 4), 12);
    EXPECT_EQ(PixelRowStride(0x1112, 3), 12);
    EXPECT_EQ(PixelRowStride(0x1012, 0), 0);
    EXPECT_THROW(PixelRowStride(0x1012, 0x7FFFFFFF), EIntOverflow);
}

TEST(PixelBuffer, AllocatesZeroedPaddedRowsAtItsOwnCoordinates) {
    TKelvoPixelBuffer b(KelvoFormatBGR24, MakeRect(-3, 10, 2, 14));
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(b.Stride(), 16);
    EXPECT_EQ(b.BytesPerPixel(), 3);
    EXPECT_EQ(b.MemorySize(), 64);
    EXPECT_EQ(b.GetBounds(), MakeRect(-3, 10, 2, 14));
    EXPECT_EQ(b.PixelAddress(-3, 10), b.Bits());
    EXPECT_EQ(b.PixelAddress(1, 12), b.Bits() + 2 * 16 + 4 * 3);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(b.Bits()[i], 0);

    TKelvoPixelBuffer empty(KelvoFormatBGR24, MakeRect(0, 0, 0, 10));
    EXPECT_EQ(empty.Bits(), nullptr);
    EXPECT_EQ(empty.MemorySize(), 0);
}

TEST(PixelBuffer, APhotoSizedBlockOfASizeGivenBackBeforeComesZeroFilled) {
    // 2000 x 1500 x 3: large enough to be kept for the next photo of its size.
    const TKelvoRect photo = MakeRect(0, 0, 2000, 1500);
    for (int round = 0; round < 2; ++round) {
        {
            TKelvoPixelBuffer before(KelvoFormatBGR24, photo);
            std::memset(before.Bits(), 0xA5, std::size_t(before.MemorySize()));
        }
        TKelvoPixelBuffer after;
        if (round == 0) {
            after.SetBoundsNoCopy(photo);
        } else {
            // Given back by a resize to another size, then asked for again.
            TKelvoPixelBuffer other(KelvoFormatBGR24, photo);
            std::memset(other.Bits(), 0x5A, std::size_t(other.MemorySize()));
            other.SetBoundsNoCopy(MakeRect(0, 0, 10, 10));
            after.SetBoundsNoCopy(photo);
        }
        const Byte* bytes = after.Bits();
        ASSERT_NE(bytes, nullptr);
        std::int64_t nonZero = 0;
        for (std::int64_t i = 0; i < after.MemorySize(); ++i) nonZero += bytes[i] != 0;
        EXPECT_EQ(nonZero, 0) << "round " << round;
    }
}

TEST(PixelBuffer, SetBoundsKeepCopiesOverlapOfMovedRectangle) {
    TKelvoPixelBuffer b(KelvoFormatBGR24, MakeRect(0, 0, 10, 8));
    FillPattern(b);
    b.SetBounds(MakeRect(5, 4, 15, 12), true);
    EXPECT_EQ(b.GetBounds(), MakeRect(5, 4, 15, 12));
    for (int y = 4; y < 12; ++y)
        for (int x = 5; x < 15; ++x) {
            const bool inOld = x < 10 && y < 8;
            if (inOld) {
                EXPECT_TRUE(HasPattern(b, x, y)) << x << "," << y;
            } else {
                const Byte* q = b.PixelAddress(x, y);
                EXPECT_EQ(q[0] | q[1] | q[2], 0) << x << "," << y;
            }
        }
    // Without keep the new memory starts blank.
    b.SetBoundsNoCopy(MakeRect(0, 0, 10, 8));
    for (int i = 0; i < b.Stride() * 8; ++i) ASSERT_EQ(b.Bits()[i], 0);
}

TEST(PixelBuffer, FailedResizeKeepsOldMemoryAndBounds) {
    TKelvoPixelBuffer b(KelvoFormatBGR24, MakeRect(0, 0, 4, 4));
    FillPattern(b);
    Byte* const before = b.Bits();
    // 60000 x 60000 x 3 bytes is far above the limit; the product of stride and height needs 64 bits.
    EXPECT_THROW(b.SetBounds(MakeRect(0, 0, 60000, 60000), true), EOutOfMemory);
    EXPECT_THROW(b.SetBounds(MakeRect(0, 0, 0x7FFFFFFF, 2), true), EIntOverflow);
    EXPECT_THROW(b.SetBounds(MakeRect(10, 0, 0, 4), true), ERangeError);
    EXPECT_EQ(b.Bits(), before);
    EXPECT_EQ(b.GetBounds(), MakeRect(0, 0, 4, 4));
    EXPECT_TRUE(HasPattern(b, 3, 3));
}

TEST(PixelBuffer, FormatChangeClearAndSwap) {
    TKelvoPixelBuffer b(KelvoFormatBGR24, MakeRect(0, 0, 3, 2));
    b.SetFormatAndBounds(KelvoFormatBGRA32, MakeRect(0, 0, 3, 2));
    EXPECT_EQ(b.BytesPerPixel(), 4);
    EXPECT_EQ(b.Stride(), 12);
    EXPECT_EQ(b.MemorySize(), 24);

    TKelvoPixelBuffer c(KelvoFormatBGR24, MakeRect(1, 1, 2, 2));
    FillPattern(c);
    b.Swap(c);
    EXPECT_EQ(b.Format(), KelvoFormatBGR24);
    EXPECT_EQ(b.GetBounds(), MakeRect(1, 1, 2, 2));
    EXPECT_TRUE(HasPattern(b, 1, 1));
    EXPECT_EQ(c.Format(), KelvoFormatBGRA32);
    EXPECT_EQ(c.Width(), 3);

    b.Clear();
    EXPECT_EQ(b.Bits(), nullptr);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Stride(), 0);
}

TEST(PixelCopy, CopyRectClipsOnEverySide) {
    TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(-2, -2, 6, 6));
    FillPattern(src);
    TKelvoPixelBuffer dst(KelvoFormatBGR24, MakeRect(0, 0, 4, 4));
    // Source rect larger than the source on every side; its top-left (-5, -5) lands at (-3, -3), so the
    // source's own (-2, -2) lands at (0, 0) of the destination.
    dst.CopyRect(-3, -3, MakeRect(-5, -5, 10, 10), src);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const Byte* d = dst.PixelAddress(x, y);
            const Byte* s = src.PixelAddress(x - 2, y - 2);
            ASSERT_EQ(std::memcmp(d, s, 3), 0) << x << "," << y;
        }

    // A part copied into the lower right corner, clipped by the destination.
    TKelvoPixelBuffer dst2(KelvoFormatBGR24, MakeRect(0, 0, 4, 4));
    dst2.CopyRect(3, 2, MakeRect(0, 0, 3, 3), src);
    EXPECT_EQ(std::memcmp(dst2.PixelAddress(3, 2), src.PixelAddress(0, 0), 3), 0);
    EXPECT_EQ(std::memcmp(dst2.PixelAddress(3, 3), src.PixelAddress(0, 1), 3), 0);
    EXPECT_EQ(dst2.PixelAddress(2, 2)[0], 0);

    // CopyFrom places the source at its own coordinates; differing formats copy nothing.
    TKelvoPixelBuffer whole(KelvoFormatBGR24, MakeRect(0, 0, 8, 8));
    whole.CopyFrom(src);
    EXPECT_TRUE(HasPattern(whole, 5, 5));
    EXPECT_TRUE(HasPattern(whole, 0, 0));
    TKelvoPixelBuffer alpha(KelvoFormatBGRA32, MakeRect(0, 0, 4, 4));
    alpha.CopyFrom(src);
    EXPECT_EQ(alpha.PixelAddress(1, 1)[0], 0);
}

TEST(PixelOps, BlendAndMakeBGR) {
    Byte p[3];
    MakeBGR(p, 10, 20, 30);
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);

    Byte black[3] = {0, 0, 0};
    BlendPixel(black, 128, 0xFFFFFF);
    EXPECT_EQ(black[0], 127);
    EXPECT_EQ(black[2], 127);
    Byte white[3] = {255, 255, 255};
    BlendPixel(white, 128, 0x000000);
    // 255 + ((128 * -255) >> 8) = 255 - 128: the shift rounds towards minus infinity.
    EXPECT_EQ(white[1], 127);
    Byte q[3] = {1, 2, 3};
    BlendPixel(q, 0, 0xFFFFFF);
    EXPECT_EQ(q[0], 1);
    BlendPixel(q, 255, 0x112233);
    EXPECT_EQ(q[0], 0x33);
    EXPECT_EQ(q[1], 0x22);
    EXPECT_EQ(q[2], 0x11);
}

TEST(PixelOps, FitProportional) {
    std::int32_t w = -7, h = -7;
    EXPECT_TRUE(FitProportional(400, 300, 200, 200, w, h));
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 150);
    EXPECT_TRUE(FitProportional(100, 100, 300, 200, w, h));  // enlarges; fills the height
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 200);
    EXPECT_TRUE(FitProportional(200, 200, 100, 100, w, h));  // tie fills the height
    EXPECT_EQ(h, 100);
    EXPECT_TRUE(FitProportional(3, 1, 2, 2, w, h));
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);  // 2/3 rounds up
    w = h = -7;
    EXPECT_FALSE(FitProportional(10, 10, 0, 5, w, h));
    EXPECT_FALSE(FitProportional(0, 0, 5, 5, w, h));
    EXPECT_EQ(w, -7);
    EXPECT_EQ(ClampInt(-1, 0, 9), 0);
    EXPECT_EQ(ClampInt(10, 0, 9), 9);
    EXPECT_EQ(ClampInt(4, 0, 9), 4);
    EXPECT_EQ(ProportionalWidth(10, 1, 3), 3);
    EXPECT_EQ(ProportionalHeight(10, 1, 0), -1);
}

TEST(PixelTurns, QuarterTurnsAndFlipsMovePixelsExactly) {
    // Odd sizes larger than one tile exercise the tile edges and the row padding.
    TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(4, 9, 4 + 131, 9 + 70));
    FillPattern(src);
    const std::int32_t W = src.Width(), H = src.Height();
    auto at = [&](std::int32_t x, std::int32_t y) { return src.PixelAddress(src.Left() + x, src.Top() + y); };

    TKelvoPixelBuffer left, right, hflip, vflip;
    ASSERT_TRUE(RotatePixelsLeft(src, left));
    ASSERT_TRUE(RotatePixelsRight(src, right));
    ASSERT_TRUE(FlipPixelsHorizontal(src, hflip));
    ASSERT_TRUE(FlipPixelsVertical(src, vflip));
    EXPECT_EQ(left.GetBounds(), MakeRect(0, 0, H, W));
    EXPECT_EQ(right.GetBounds(), MakeRect(0, 0, H, W));
    EXPECT_EQ(hflip.GetBounds(), MakeRect(0, 0, W, H));
    for (std::int32_t y = 0; y < H; ++y)
        for (std::int32_t x = 0; x < W; ++x) {
            ASSERT_EQ(std::memcmp(left.PixelAddress(y, W - 1 - x), at(x, y), 3), 0);
            ASSERT_EQ(std::memcmp(right.PixelAddress(H - 1 - y, x), at(x, y), 3), 0);
            ASSERT_EQ(std::memcmp(hflip.PixelAddress(W - 1 - x, y), at(x, y), 3), 0);
            ASSERT_EQ(std::memcmp(vflip.PixelAddress(x, H - 1 - y), at(x, y), 3), 0);
        }

    // Four right turns in place restore the image.
    TKelvoPixelBuffer t(KelvoFormatBGR24, MakeRect(0, 0, W, H));
    t.CopyRect(0, 0, src.GetBounds(), src);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(RotatePixelsRight(t, t));
    for (std::int32_t y = 0; y < H; ++y) ASSERT_EQ(std::memcmp(t.PixelAddress(0, y), at(0, y), std::size_t(W) * 3), 0);

    TKelvoPixelBuffer a(KelvoFormatBGRA32, MakeRect(0, 0, 2, 2)), out;
    EXPECT_FALSE(RotatePixelsLeft(a, out));
    EXPECT_FALSE(FlipPixelsVertical(a, out));
    EXPECT_EQ(out.Bits(), nullptr);
}

TEST(PixelTurns, MatchThePlainLoopsAtEdgeSizesAndOnViews) {
    bool (*const ops[4])(const TKelvoPixels&, TKelvoPixelBuffer&) = {RotatePixelsLeft, RotatePixelsRight,
                                                                     FlipPixelsHorizontal, FlipPixelsVertical};
    auto check = [&](const TKelvoPixels& src) {
        for (int op = 0; op < 4; ++op) {
            SCOPED_TRACE(testing::Message() << "op " << op << ", " << src.Width() << " x " << src.Height());
            TKelvoPixelBuffer want, got;
            PlainTurn(src, op, want);
            ASSERT_TRUE(ops[op](src, got));
            ASSERT_EQ(got.GetBounds(), want.GetBounds());
            ASSERT_EQ(got.MemorySize(), want.MemorySize());
            // Row padding included: it must stay zero.
            EXPECT_EQ(std::memcmp(got.Bits(), want.Bits(), std::size_t(want.MemorySize())), 0);
        }
    };
    // One pixel, one row, one column, and sizes on both sides of whole tiles.
    const std::int32_t sizes[][2] = {{1, 1}, {1, 37}, {37, 1}, {2, 3}, {64, 64}, {25, 65}, {65, 25}, {97, 130}};
    for (const auto& wh : sizes) {
        TKelvoPixelBuffer src(KelvoFormatBGR24, MakeRect(3, 2, 3 + wh[0], 2 + wh[1]));
        FillPattern(src);
        check(src);
    }
    // Views over the right of an unpadded image end exactly where its memory ends, so any read past a view's
    // pixels leaves the block (and the address sanitizer stops the test).
    TKelvoPixelBuffer image(KelvoFormatBGR24, MakeRect(0, 0, 36, 20));
    FillPattern(image);
    ASSERT_EQ(image.Stride(), 36 * 3);
    for (std::int32_t left : {35, 34, 7}) {
        TKelvoPixels view;
        view.Init(MakeRect(left, 5, 36, 20), image.PixelAddress(left, 5), KelvoFormatBGR24, image.Stride());
        check(view);
    }
}
