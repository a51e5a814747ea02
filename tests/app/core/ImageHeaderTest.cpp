#include <gtest/gtest.h>

#include <vector>

#include "app/core/KelvoImageHeader.h"

namespace {

void PutLE(std::vector<Byte>& b, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = Byte(v >> (8 * i));
}
void PutBE(std::vector<Byte>& b, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = Byte(v >> (8 * (n - 1 - i)));
}

std::vector<Byte> Bmp(std::int32_t width, std::int32_t height) {
    std::vector<Byte> b(54);
    b[0] = 'B';
    b[1] = 'M';
    PutLE(b, 14, 40, 4);
    PutLE(b, 18, std::uint32_t(width), 4);
    PutLE(b, 22, std::uint32_t(height), 4);
    return b;
}

// SOI, an APP1 segment of 300 bytes (EXIF with its own thumbnail), then the frame header.
std::vector<Byte> Jpeg(std::uint16_t width, std::uint16_t height, Byte frameMarker = 0xC2) {
    std::vector<Byte> b{0xFF, 0xD8, 0xFF, 0xE1};
    b.resize(4 + 300);
    PutBE(b, 4, 300, 2);
    b[10] = 0xFF;  // a marker-like byte inside the segment must not be taken for one
    b[11] = 0xC0;
    const std::vector<Byte> sof{0xFF, 0xFF, frameMarker, 0x00, 0x11, 0x08};
    b.insert(b.end(), sof.begin(), sof.end());
    b.resize(b.size() + 4);
    PutBE(b, b.size() - 4, height, 2);
    PutBE(b, b.size() - 2, width, 2);
    b.push_back(3);
    return b;
}

std::vector<Byte> Png(std::uint32_t width, std::uint32_t height) {
    std::vector<Byte> b{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    b.resize(33);
    PutBE(b, 16, width, 4);
    PutBE(b, 20, height, 4);
    return b;
}

// A little- or big-endian TIFF whose first directory lies behind 100 bytes of pixels and holds a short
// width and a long length.
std::vector<Byte> Tiff(bool big, std::uint16_t width, std::uint32_t height) {
    std::vector<Byte> b(108 + 2 + 3 * 12 + 4);
    auto put = [&](std::size_t at, std::uint32_t v, int n) { big ? PutBE(b, at, v, n) : PutLE(b, at, v, n); };
    b[0] = b[1] = big ? 'M' : 'I';
    put(2, 42, 2);
    put(4, 108, 4);
    put(108, 3, 2);
    const std::uint32_t entries[3][3] = {{254, 4, 0}, {256, 3, width}, {257, 4, height}};
    for (int i = 0; i < 3; ++i) {
        const std::size_t e = 110 + i * 12;
        put(e, entries[i][0], 2);
        put(e + 2, entries[i][1], 2);
        put(e + 4, 1, 4);
        put(e + 8, entries[i][2], entries[i][1] == 3 ? 2 : 4);
    }
    return b;
}

TKelvoHeaderSize Read(const std::vector<Byte>& b, std::int64_t& w, std::int64_t& h) {
    return DeclaredImageSize(b.data(), b.size(), w, h);
}

}  // namespace

TEST(ImageHeader, EachFormatDeclaresItsSizeBeforeDecoding) {
    std::int64_t w = 0, h = 0;
    ASSERT_EQ(Read(Jpeg(6000, 4000), w, h), TKelvoHeaderSize::Declared);
    EXPECT_EQ(w, 6000);
    EXPECT_EQ(h, 4000);
    ASSERT_EQ(Read(Png(4000, 3000), w, h), TKelvoHeaderSize::Declared);
    EXPECT_EQ(w, 4000);
    EXPECT_EQ(h, 3000);
    ASSERT_EQ(Read(Bmp(640, -480), w, h), TKelvoHeaderSize::Declared);  // top-down
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    for (bool big : {false, true}) {
        ASSERT_EQ(Read(Tiff(big, 1200, 900), w, h), TKelvoHeaderSize::Declared);
        EXPECT_EQ(w, 1200);
        EXPECT_EQ(h, 900);
    }
}

TEST(ImageHeader, ASizeNotWithinTheBytesIsUnknownAndLeftToTheDecoder) {
    std::int64_t w = -5, h = -5;
    // Each cut one byte short of the last byte of the size.
    const std::pair<std::vector<Byte>, std::size_t> cuts[] = {
        {Jpeg(6000, 4000), 313}, {Png(1, 1), 23}, {Bmp(1, 1), 25}, {Tiff(true, 1, 1), 145}};
    for (auto [b, keep] : cuts) {
        ASSERT_EQ(Read(b, w, h), TKelvoHeaderSize::Declared);
        b.resize(keep);
        EXPECT_EQ(Read(b, w, h), TKelvoHeaderSize::Unknown);
        EXPECT_FALSE(HeaderRefusesImage(b.data(), b.size()));
    }
    // A frame height of 0 is set by a later marker; a scan before any frame header ends the search.
    EXPECT_EQ(Read(Jpeg(6000, 0), w, h), TKelvoHeaderSize::Unknown);
    const std::vector<Byte> scanFirst{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x08, 0xFF, 0xC0,
                                      0x00, 0x11, 0x08, 0x0F, 0xA0, 0x17, 0x70};
    EXPECT_EQ(Read(scanFirst, w, h), TKelvoHeaderSize::Unknown);
    EXPECT_EQ(Read(std::vector<Byte>{'G', 'I', 'F', '8', '9', 'a'}, w, h), TKelvoHeaderSize::Unknown);
    w = h = -5;
    EXPECT_EQ(Read(std::vector<Byte>{'B', 'M'}, w, h), TKelvoHeaderSize::Unknown);
    EXPECT_EQ(w, -5);  // an unknown size leaves the outputs alone
}

TEST(ImageHeader, RefusesWhatOneImageCopyCannotHold) {
    // 30000 x 30000 in 24 bits is 2.7 GB: refused from its 54 bytes of header.
    const std::vector<Byte> huge = Bmp(30000, 30000);
    EXPECT_TRUE(HeaderRefusesImage(huge.data(), huge.size()));
    const std::vector<Byte> photo = Jpeg(6000, 4000);
    EXPECT_FALSE(HeaderRefusesImage(photo.data(), photo.size()));
    const std::vector<Byte> empty = Png(0, 100);
    EXPECT_TRUE(HeaderRefusesImage(empty.data(), empty.size()));
    const std::vector<Byte> widest = Png(0xFFFFFFFF, 1);
    EXPECT_TRUE(HeaderRefusesImage(widest.data(), widest.size()));

    // The limit itself: 16384 pixels make 49152-byte rows, 5461 of them fit in 256 MiB, 5462 do not.
    EXPECT_TRUE(ImageSizeHoldable(16384, 5461));
    EXPECT_FALSE(ImageSizeHoldable(16384, 5462));
    EXPECT_FALSE(ImageSizeHoldable(1, 0));
    EXPECT_FALSE(ImageSizeHoldable(INT64_MAX, INT64_MAX));
}
