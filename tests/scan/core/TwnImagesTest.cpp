#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "scan/core/TTwnStripAssembler.h"
#include "scan/core/TwnImages.h"

using namespace twn;

namespace {

void Put16(std::vector<Byte>& v, std::size_t at, std::uint32_t x) {
    v[at] = Byte(x);
    v[at + 1] = Byte(x >> 8);
}
void Put32(std::vector<Byte>& v, std::size_t at, std::uint32_t x) {
    Put16(v, at, x & 0xFFFF);
    Put16(v, at + 2, x >> 16);
}
std::uint32_t Get32(const std::vector<Byte>& v, std::size_t at) {
    return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (std::uint32_t(v[at + 3]) << 24);
}

// A packed DIB: header of headerSize bytes, entries table entries (filled 1, 2, 3...), then bits of the stride.
std::vector<Byte> Dib(std::int32_t w, std::int32_t h, std::uint16_t bits, std::uint32_t clrUsed, std::uint32_t entries,
                      std::uint32_t headerSize = 40) {
    const std::size_t stride = ((std::size_t(w) * bits + 31) / 32) * 4;
    const std::size_t rows = std::size_t(h < 0 ? -h : h);
    std::vector<Byte> d(headerSize + entries * 4 + stride * rows, 0);
    Put32(d, 0, headerSize);
    Put32(d, 4, std::uint32_t(w));
    Put32(d, 8, std::uint32_t(h));
    Put16(d, 12, 1);
    Put16(d, 14, bits);
    Put32(d, 32, clrUsed);
    for (std::uint32_t i = 0; i < entries * 4; ++i) d[headerSize + i] = Byte(i + 1);
    for (std::size_t i = 0; i < stride * rows; ++i) d[headerSize + entries * 4 + i] = Byte(0xA0 + i);
    return d;
}

std::vector<Byte> Bmp(const std::vector<Byte>& dib, std::uint32_t bfSize, std::uint32_t offBits) {
    std::vector<Byte> f(14, 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, bfSize);
    Put32(f, 10, offBits);
    f.insert(f.end(), dib.begin(), dib.end());
    return f;
}

}  // namespace

TEST(TwnImages, PackedDibOf8BitsWithAShortTableGetsAFullZeroPaddedTable) {
    const auto d = Dib(3, 2, 8, 2, 2);
    TTwnDibLayout l;
    ASSERT_TRUE(LayoutPackedDib(d.data(), d.size(), l));
    EXPECT_EQ(l.width, 3);
    EXPECT_EQ(l.height, 2);
    EXPECT_EQ(l.bitsOffset, 48u);
    EXPECT_EQ(l.bitsSize, 8u);
    ASSERT_EQ(l.info.size(), 40u + 256 * 4);
    EXPECT_EQ(Get32(l.info, 32), 0u);      // biClrUsed
    EXPECT_EQ(Get32(l.info, 20), 8u);      // biSizeImage computed
    EXPECT_EQ(Get32(l.info, 24), 11811u);  // no resolution: 300 per inch
    EXPECT_EQ(l.info[40], 1);              // first entry, blue
    EXPECT_EQ(l.info[40 + 4 + 2], 7);      // second entry, red
    EXPECT_EQ(l.info[40 + 4 + 3], 0);      // reserved byte is not copied
    EXPECT_EQ(l.info[40 + 8], 0);          // past the held entries: zero
    EXPECT_EQ(d[l.bitsOffset], 0xA0);
}

TEST(TwnImages, PackedDibHeadersAreReadByTheirOwnSize) {
    // A 124-byte header and a 24-bit image with a skipped table of 2 entries.
    const auto v5 = Dib(2, 1, 24, 2, 2, 124);
    TTwnDibLayout l;
    ASSERT_TRUE(LayoutPackedDib(v5.data(), v5.size(), l));
    EXPECT_EQ(l.bitsOffset, 124u + 8);
    EXPECT_EQ(l.info.size(), 40u);
    // A 12-byte core header: 16-bit sizes and a table of 3-byte entries.
    std::vector<Byte> core(12 + 2 * 3 + 4, 0);
    Put32(core, 0, 12);
    Put16(core, 4, 5);
    Put16(core, 6, 1);
    Put16(core, 8, 1);
    Put16(core, 10, 1);
    core[12 + 3] = 0x11;  // second entry blue
    ASSERT_TRUE(LayoutPackedDib(core.data(), core.size(), l));
    EXPECT_EQ(l.width, 5);
    EXPECT_EQ(l.bitsOffset, 18u);
    EXPECT_EQ(l.info[44], 0x11);
    // Any other header size, compression or plane count is refused.
    auto odd = Dib(2, 1, 24, 0, 0, 64);
    EXPECT_FALSE(LayoutPackedDib(odd.data(), odd.size(), l));
    auto rle = Dib(2, 1, 8, 0, 256);
    Put32(rle, 16, 1);
    EXPECT_FALSE(LayoutPackedDib(rle.data(), rle.size(), l));
    auto planes = Dib(2, 1, 8, 0, 256);
    Put16(planes, 12, 2);
    EXPECT_FALSE(LayoutPackedDib(planes.data(), planes.size(), l));
}

TEST(TwnImages, PackedDibThatDoesNotHoldWhatItAnnouncesIsRefused) {
    TTwnDibLayout l;
    auto d = Dib(4, 4, 24, 0, 0);
    EXPECT_FALSE(LayoutPackedDib(d.data(), d.size() - 1, l));  // one byte of bits short
    Put32(d, 20, 0x7FFFFFFF);                                  // biSizeImage is not trusted
    EXPECT_TRUE(LayoutPackedDib(d.data(), d.size(), l));
    EXPECT_EQ(l.bitsSize, 48u);
    auto wide = Dib(4, 4, 24, 0, 0);
    Put32(wide, 4, 0x7FFFFFFF);  // 8 GiB of bits
    EXPECT_FALSE(LayoutPackedDib(wide.data(), wide.size(), l));
    auto table = Dib(4, 1, 8, 300, 0);  // more entries than 8 bits can index
    EXPECT_FALSE(LayoutPackedDib(table.data(), table.size(), l));
    EXPECT_FALSE(LayoutPackedDib(d.data(), 3, l));
}

TEST(TwnImages, BmpFileIsCheckedAgainstItsRealSizeAndBitsTakenAtOffBits) {
    const auto dib = Dib(2, 2, 1, 0, 2);
    TTwnDibLayout l;
    const auto f = Bmp(dib, std::uint32_t(14 + dib.size()), 14 + 48);
    ASSERT_TRUE(LayoutBmpFile(f.data(), f.size(), l));
    EXPECT_EQ(l.bitsOffset, 62u);
    EXPECT_EQ(l.bitsSize, 8u);
    EXPECT_EQ(PackedDib(l, f.data()).size(), 40u + 8 + 8);
    // Bits placed further on by bfOffBits: must still lie inside bfSize.
    auto gap = Bmp(dib, std::uint32_t(14 + dib.size() + 4), 14 + 52);
    gap.resize(gap.size() + 4, 0xEE);
    ASSERT_TRUE(LayoutBmpFile(gap.data(), gap.size(), l));
    EXPECT_EQ(l.bitsOffset, 66u);
    const auto huge = Bmp(dib, 0xFFFFFFF0u, 62);
    EXPECT_FALSE(LayoutBmpFile(huge.data(), huge.size(), l));
    const auto tiny = Bmp(dib, 10, 62);
    EXPECT_FALSE(LayoutBmpFile(tiny.data(), tiny.size(), l));
    const auto past = Bmp(dib, std::uint32_t(14 + dib.size()), 14 + 52);  // bits would end past bfSize
    EXPECT_FALSE(LayoutBmpFile(past.data(), past.size(), l));
    const auto inTable = Bmp(dib, std::uint32_t(14 + dib.size()), 14 + 44);  // bits inside the table
    EXPECT_FALSE(LayoutBmpFile(inTable.data(), inTable.size(), l));
    auto notBmp = f;
    notBmp[0] = 'X';
    EXPECT_FALSE(LayoutBmpFile(notBmp.data(), notBmp.size(), l));
}

TEST(TwnImages, GreyRampSpansBlackToWhiteForEveryCount) {
    for (std::size_t n : {2u, 4u, 16u, 256u}) {
        const auto r = GreyRamp(n, false);
        ASSERT_EQ(r.size(), n * 4);
        EXPECT_EQ(r[0], 0);
        EXPECT_EQ(r[(n - 1) * 4], 255) << n;
        EXPECT_EQ(r[(n - 1) * 4 + 3], 0);
    }
    EXPECT_EQ(GreyRamp(4, false)[4], 85);
    EXPECT_EQ(GreyRamp(16, false)[4], 17);
    EXPECT_EQ(GreyRamp(256, false)[100 * 4 + 1], 100);
    const auto vanilla = GreyRamp(2, true);
    EXPECT_EQ(vanilla[0], 255);
    EXPECT_EQ(vanilla[4], 0);
    EXPECT_TRUE(GreyRamp(0, false).empty());
    EXPECT_TRUE(GreyRamp(257, false).empty());
}

TEST(TwnImages, MemoryLayoutAndResolution) {
    TTwnMemoryLayout m;
    ASSERT_TRUE(MemoryLayout(3, 2, 24, m));
    EXPECT_EQ(m.stride, 12u);
    EXPECT_EQ(m.size, 24u);
    EXPECT_EQ(m.entries, 0u);
    ASSERT_TRUE(MemoryLayout(9, 1, 1, m));
    EXPECT_EQ(m.stride, 4u);
    EXPECT_EQ(m.entries, 2u);
    EXPECT_FALSE(MemoryLayout(3, -1, 24, m));  // length unknown
    EXPECT_FALSE(MemoryLayout(0, 2, 24, m));
    EXPECT_FALSE(MemoryLayout(3, 2, 12, m));
    EXPECT_FALSE(MemoryLayout(65536, 65536, 32, m));
    EXPECT_EQ(PelsPerMeter(TWUN_INCHES, 300), 11811);
    EXPECT_EQ(PelsPerMeter(TWUN_CENTIMETERS, 118.11), 11811);
    EXPECT_EQ(PelsPerMeter(TWUN_POINTS, 1), 2835);
    EXPECT_EQ(PelsPerMeter(-1, 600), 11811);
    EXPECT_EQ(PelsPerMeter(TWUN_TWIPS, 1e9), 11811);
}

TEST(TwnImages, FlipAndSwapGiveBottomUpBlueGreenRed) {
    std::vector<Byte> bits = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0, 13, 14, 15, 16, 17, 18, 0, 0};
    FlipRows(bits.data(), 8, 3);
    SwapRedBlue(bits.data(), 8, 6, 3);
    const std::vector<Byte> want = {15, 14, 13, 18, 17, 16, 0, 0, 9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0};
    EXPECT_EQ(bits, want);
}

TEST(TwnStripAssembler, RowsOfTheStrideNarrowerAndWiderRowsLandOnTheStride) {
    // 2 rows per strip, stride 8, 6 rows.
    std::vector<Byte> bits(48, 0);
    TTwnStripAssembler s(8, 48);
    EXPECT_EQ(s.NextLength(100), 48u);
    std::memset(bits.data(), 1, 16);
    ASSERT_TRUE(s.Accept(bits.data(), 8, 2, 16, 16));
    // Narrower rows (6 bytes) are spread.
    for (int i = 0; i < 12; ++i) bits[16 + i] = Byte(0x20 + i);
    ASSERT_TRUE(s.Accept(bits.data(), 6, 2, 12, 16));
    EXPECT_EQ(bits[16], 0x20);
    EXPECT_EQ(bits[21], 0x25);
    EXPECT_EQ(bits[22], 0);
    EXPECT_EQ(bits[24], 0x26);
    // Wider rows (12 bytes) are compacted from the first row up.
    for (int i = 0; i < 16; ++i) bits[32 + i] = Byte(0x40 + i);
    // The source says it wrote 24 bytes into a 16-byte buffer: refused.
    EXPECT_FALSE(s.Accept(bits.data(), 12, 2, 24, 16));
    // 2 rows of 12 bytes cannot have been written into 16 bytes either.
    EXPECT_FALSE(s.Accept(bits.data(), 12, 2, 16, 16));
    // One row of 12 bytes compacts to 8.
    ASSERT_TRUE(s.Accept(bits.data(), 12, 1, 12, 16));
    EXPECT_EQ(bits[32], 0x40);
    EXPECT_EQ(bits[39], 0x47);
    EXPECT_EQ(s.Offset(), 40u);
    EXPECT_EQ(s.NextLength(100), 8u);
    // A strip claiming more rows than are left is refused.
    EXPECT_FALSE(s.Accept(bits.data(), 4, 3, 8, 8));
    ASSERT_TRUE(s.Accept(bits.data(), 8, 1, 8, 8));
    EXPECT_TRUE(s.Complete());
}

TEST(TwnStripAssembler, WiderRowsCompactInOrder) {
    // 3 rows of 6 bytes into a stride of 4: rows 0, 1, 2 keep their first 4 bytes.
    std::vector<Byte> bits(18);
    for (int i = 0; i < 18; ++i) bits[i] = Byte(i);
    TTwnStripAssembler s(4, 12);
    ASSERT_TRUE(s.Accept(bits.data(), 6, 2, 12, 12));
    const std::vector<Byte> want = {0, 1, 2, 3, 6, 7, 8, 9};
    EXPECT_EQ(std::vector<Byte>(bits.begin(), bits.begin() + 8), want);
}
