#include <gtest/gtest.h>

#include <vector>

#include "imaging/core/LBitmap.h"

TEST(LBitmap, CreateDescribesTheCallersBlockAndRefusesOneTooSmall) {
    // 5 x 3 at 24 bits: rows of 15 bytes padded to 16.
    std::vector<Byte> memory(16 * 3);
    TLBitmapHandle h;
    ASSERT_EQ(L_CreateBitmap(&h, L_MEMORY_USER, 5, 3, 24, 0, nullptr, 0, memory.data(), memory.size()), L_SUCCESS);
    EXPECT_TRUE(h.Allocated);
    EXPECT_EQ(h.BytesPerLine, 16);
    EXPECT_EQ(h.Memory, memory.data());
    EXPECT_EQ(L_FreeBitmap(&h), L_SUCCESS);
    EXPECT_FALSE(h.Allocated);
    EXPECT_EQ(h.Memory, nullptr);

    // One byte short of the last row, another memory type, a palette, 8 bits, no memory, no size.
    EXPECT_NE(L_CreateBitmap(&h, L_MEMORY_USER, 5, 3, 24, 0, nullptr, 0, memory.data(), memory.size() - 1), L_SUCCESS);
    EXPECT_FALSE(h.Allocated);
    EXPECT_NE(L_CreateBitmap(&h, 0, 5, 3, 24, 0, nullptr, 0, memory.data(), memory.size()), L_SUCCESS);
    EXPECT_NE(L_CreateBitmap(&h, L_MEMORY_USER, 5, 3, 24, 0, memory.data(), 0, memory.data(), memory.size()),
              L_SUCCESS);
    EXPECT_NE(L_CreateBitmap(&h, L_MEMORY_USER, 5, 3, 8, 0, nullptr, 0, memory.data(), memory.size()), L_SUCCESS);
    EXPECT_NE(L_CreateBitmap(&h, L_MEMORY_USER, 5, 3, 24, 0, nullptr, 0, nullptr, memory.size()), L_SUCCESS);
    EXPECT_NE(L_CreateBitmap(&h, L_MEMORY_USER, 0, 3, 24, 0, nullptr, 0, memory.data(), memory.size()), L_SUCCESS);
    EXPECT_FALSE(h.Allocated);
}

TEST(LBitmap, SizesThatOverflowAreRefused) {
    Byte byte = 0;
    TLBitmapHandle h;
    // 0x7FFFFFFF pixels of 32 bits do not make an int32 row; 65536 rows of 65536 bytes do not fit 2 GiB.
    EXPECT_EQ(L_BytesPerLine(0x7FFFFFFF, 32), -1);
    EXPECT_NE(L_CreateBitmap(&h, L_MEMORY_USER, 0x7FFFFFFF, 1, 32, 0, nullptr, 0, &byte, SIZE_MAX), L_SUCCESS);
    EXPECT_NE(L_CreateBitmap(&h, L_MEMORY_USER, 16384, 65536, 32, 0, nullptr, 0, &byte, SIZE_MAX), L_SUCCESS);
    EXPECT_EQ(L_BytesPerLine(3, 32), 12);
    EXPECT_EQ(L_BytesPerLine(1, 24), 4);
}

TEST(LBitmap, ClippingTheSourceKeepsTheScaleOfTheDestination) {
    const TRect bounds{0, 0, 100, 50};
    // Inside: unchanged.
    TRect s{10, 10, 20, 20}, d{0, 0, 40, 40};
    ASSERT_TRUE(L_ClipSourceAndDest(bounds, s, d));
    EXPECT_EQ(s, (TRect{10, 10, 20, 20}));
    EXPECT_EQ(d, (TRect{0, 0, 40, 40}));
    // Twice enlarged, sticking out 10 pixels on the left and 10 at the bottom.
    s = TRect{-10, 40, 40, 60};
    d = TRect{0, 0, 100, 40};
    ASSERT_TRUE(L_ClipSourceAndDest(bounds, s, d));
    EXPECT_EQ(s, (TRect{0, 40, 40, 50}));
    EXPECT_EQ(d, (TRect{20, 0, 100, 20}));
    // Wholly outside.
    s = TRect{100, 0, 120, 10};
    d = TRect{0, 0, 20, 10};
    EXPECT_FALSE(L_ClipSourceAndDest(bounds, s, d));
}
