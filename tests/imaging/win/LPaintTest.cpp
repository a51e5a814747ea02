#include <gtest/gtest.h>

#include <vector>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "imaging/core/LBitmap.h"

namespace {

// A 4 x 3 block of 24-bit pixels, each a colour of its own: (x, y) has red 10 + x, green 100 + y, blue 200.
class Block {
public:
    Block() : memory_(12 * 3) {
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                Byte* p = memory_.data() + y * 12 + x * 3;
                p[0] = 200;
                p[1] = Byte(100 + y);
                p[2] = Byte(10 + x);
            }
        EXPECT_EQ(L_CreateBitmap(&handle_, L_MEMORY_USER, 4, 3, 24, 0, nullptr, 0, memory_.data(), memory_.size()),
                  L_SUCCESS);
    }
    ~Block() { L_FreeBitmap(&handle_); }
    const TLBitmapHandle* Handle() const { return &handle_; }
    static COLORREF At(int x, int y) { return RGB(10 + x, 100 + y, 200); }

private:
    std::vector<Byte> memory_;
    TLBitmapHandle handle_;
};

}  // namespace

TEST(LPaint, TopRowLandsAtTheTopAndAPartEnlarges) {
    Block block;
    graphicstest::Surface surface(20, 20);
    const TRect whole{0, 0, 4, 3};
    ASSERT_EQ(L_PaintDC(surface.Dc(), block.Handle(), &whole, nullptr, &whole, nullptr, L_SRCCOPY), L_SUCCESS);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(surface.At(x, y), Block::At(x, y)) << x << "," << y;

    // Rows 1..2, columns 1..2, twice enlarged at (10, 10).
    const TRect part{1, 1, 3, 3}, dest{10, 10, 14, 14};
    ASSERT_EQ(L_PaintDC(surface.Dc(), block.Handle(), &part, nullptr, &dest, nullptr, L_SRCCOPY), L_SUCCESS);
    EXPECT_EQ(surface.At(10, 10), Block::At(1, 1));
    EXPECT_EQ(surface.At(11, 11), Block::At(1, 1));
    EXPECT_EQ(surface.At(12, 13), Block::At(2, 2));
    EXPECT_EQ(surface.At(13, 12), Block::At(2, 2));
    EXPECT_EQ(surface.At(14, 14), RGB(255, 255, 255));
}

TEST(LPaint, DrawsOnlyInsideTheClipAndNothingOfASourceOutsideTheBlock) {
    Block block;
    graphicstest::Surface surface(10, 10);
    const TRect whole{0, 0, 4, 3}, clip{1, 0, 3, 2};
    ASSERT_EQ(L_PaintDC(surface.Dc(), block.Handle(), &whole, nullptr, &whole, &clip, L_SRCCOPY), L_SUCCESS);
    EXPECT_EQ(surface.CountOf(RGB(255, 255, 255)), 100 - 4);
    EXPECT_EQ(surface.At(2, 1), Block::At(2, 1));
    EXPECT_EQ(surface.At(0, 0), RGB(255, 255, 255));

    // A source reaching past the right edge: only its part inside the block is drawn, at the same scale.
    surface.Fill(RGB(255, 255, 255));
    const TRect beyond{2, 0, 6, 3}, dest{0, 0, 4, 3};
    ASSERT_EQ(L_PaintDC(surface.Dc(), block.Handle(), &beyond, nullptr, &dest, nullptr, L_SRCCOPY), L_SUCCESS);
    EXPECT_EQ(surface.At(0, 2), Block::At(2, 2));
    EXPECT_EQ(surface.At(1, 0), Block::At(3, 0));
    EXPECT_EQ(surface.At(2, 0), RGB(255, 255, 255));

    const TRect outside{4, 0, 8, 3};
    EXPECT_NE(L_PaintDC(surface.Dc(), block.Handle(), &outside, nullptr, &dest, nullptr, L_SRCCOPY), L_SUCCESS);
    TLBitmapHandle empty;
    EXPECT_EQ(L_PaintDC(surface.Dc(), &empty, &whole, nullptr, &whole, nullptr, L_SRCCOPY), L_ERROR_NO_BITMAP);
}

TEST(LPaint, PrintStretchesTheWholeBlockOntoTheRectangle) {
    Block block;
    graphicstest::Surface surface(20, 20);
    ASSERT_EQ(L_PrintBitmapExt(surface.Dc(), block.Handle(), 5, 5, 8, 6, 0), L_SUCCESS);
    EXPECT_EQ(surface.At(5, 5), Block::At(0, 0));
    EXPECT_EQ(surface.At(12, 10), Block::At(3, 2));
    EXPECT_EQ(surface.At(4, 5), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(13, 11), RGB(255, 255, 255));
    EXPECT_NE(L_PrintBitmapExt(surface.Dc(), block.Handle(), 5, 5, 0, 6, 0), L_SUCCESS);
}
