#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/core/KelvoExchangeFormat.h"
#include "app/core/KelvoExchangeImage.h"

namespace {

using exchange::TCheck;
using exchange::THeader;

void PutInt32(std::vector<std::uint8_t>& file, std::size_t at, std::int32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = std::uint8_t(std::uint32_t(value) >> (8 * i));
}

// An exchange file as the plug-in writes it: pixel (x, y) plane p holds x * 16 + y * 4 + p, padding 0xEE.
std::vector<std::uint8_t> MakeFile(std::int32_t width, std::int32_t height, std::int32_t planes,
                                   std::int32_t rowBytes) {
    THeader header;
    header.left = 3;
    header.top = 4;
    header.width = width;
    header.height = height;
    header.rowBytes = rowBytes;
    header.planes = planes;
    std::vector<std::uint8_t> file(36 + std::size_t(rowBytes) * height, 0xEE);
    exchange::WriteHeader(file.data(), header);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            for (std::int32_t p = 0; p < planes; ++p)
                file[36 + std::size_t(y) * rowBytes + std::size_t(x) * planes + p] = std::uint8_t(x * 16 + y * 4 + p);
    return file;
}

TCheck Check(const std::vector<std::uint8_t>& file) {
    THeader header;
    return exchange::CheckHeader(file.data(), file.size(), file.size(), header);
}

}  // namespace

TEST(ExchangeFormat, HeaderBytesAreTheFixedLayout) {
    THeader header;
    header.left = 1;
    header.top = -2;
    header.width = 0x0102;
    header.height = 7;
    header.rowBytes = 0x7FFFFFFF;
    header.planes = 4;
    std::uint8_t bytes[36];
    exchange::WriteHeader(bytes, header);
    const std::uint8_t expected[36] = {'P', 'S', 'P', 'F', 32,   0,    0,    0,    3, 0, 0, 0,
                                       1,   0,   0,   0,   0xFE, 0xFF, 0xFF, 0xFF, 2, 1, 0, 0,
                                       7,   0,   0,   0,   0xFF, 0xFF, 0xFF, 0x7F, 4, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes, expected, 36), 0);
}

TEST(ExchangeFormat, ThreeAndFourPlanesWithPaddedRowsReadAsBGR) {
    for (std::int32_t planes : {3, 4}) {
        const std::vector<std::uint8_t> file = MakeFile(5, 3, planes, 5 * planes + 7);
        TKelvoPixelBuffer working;
        std::vector<std::uint8_t> exif{1};
        ASSERT_TRUE(ReadExchangeImage(file.data(), file.size(), working, &exif)) << planes;
        EXPECT_TRUE(exif.empty());
        ASSERT_EQ(working.Width(), 5);
        ASSERT_EQ(working.Height(), 3);
        EXPECT_EQ(working.Format(), KelvoFormatBGR24);
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < 5; ++x) {
                const Byte* p = working.PixelAddress(x, y);
                const int base = x * 16 + y * 4;
                EXPECT_EQ(p[0], base + 2);  // blue from the third byte
                EXPECT_EQ(p[1], base + 1);
                EXPECT_EQ(p[2], base + 0);
            }
    }
}

TEST(ExchangeFormat, ShortAndHostileHeadersAreRefused) {
    const std::vector<std::uint8_t> good = MakeFile(4, 3, 3, 12);
    ASSERT_EQ(Check(good), TCheck::Valid);
    EXPECT_EQ(Check(std::vector<std::uint8_t>(good.begin(), good.begin() + 35)), TCheck::NotExchange);
    std::vector<std::uint8_t> magic = good;
    magic[3] = 'X';
    EXPECT_EQ(Check(magic), TCheck::NotExchange);

    struct TCase {
        const char* what;
        std::size_t offset;
        std::int32_t value;
    };
    const TCase cases[] = {
        {"header size", 4, 40},
        {"width 0", 20, 0},
        {"negative height", 24, -1},
        {"two planes", 32, 2},
        {"row shorter than pixels", 28, 11},
        {"rows one byte past the end", 24, 4},
        {"negative row bytes", 28, -12},
        {"huge row bytes", 28, 0x7FFFFFFF},
        {"huge width", 20, 0x7FFFFFFF},
        {"huge planes", 32, 0x7FFFFFFF},
    };
    for (const TCase& c : cases) {
        std::vector<std::uint8_t> file = good;
        PutInt32(file, c.offset, c.value);
        EXPECT_EQ(Check(file), TCheck::BadLayout) << c.what;
        TKelvoPixelBuffer working;
        EXPECT_FALSE(ReadExchangeImage(file.data(), file.size(), working, nullptr)) << c.what;
        EXPECT_EQ(working.Width(), 0) << c.what;
    }
    // A sound layout of another image mode is no exchange file for the program.
    std::vector<std::uint8_t> cmyk = good;
    PutInt32(cmyk, 8, 4);
    EXPECT_EQ(Check(cmyk), TCheck::Valid);
    TKelvoPixelBuffer working;
    EXPECT_FALSE(ReadExchangeImage(cmyk.data(), cmyk.size(), working, nullptr));
}

TEST(ExchangeFormat, WriterUsesThreePlanesAndTheBufferStride) {
    TKelvoPixelBuffer working(KelvoFormatBGR24, MakeRect(0, 0, 5, 2));
    ASSERT_EQ(working.Stride(), 16);
    for (std::int32_t y = 0; y < 2; ++y)
        for (std::int32_t x = 0; x < 5; ++x) {
            Byte* p = working.PixelAddress(x, y);
            p[0] = Byte(10 * x + y);  // blue
            p[1] = Byte(100 + x);
            p[2] = Byte(200 + y);  // red
        }
    const THeader header = ExchangeHeaderFor(working);
    ASSERT_EQ(ExchangeFileSize(header), 36u + 16 * 2);
    std::vector<std::uint8_t> file(ExchangeFileSize(header), 0x5A);
    WriteExchangeImage(working, file.data());
    THeader read;
    ASSERT_EQ(exchange::CheckHeader(file.data(), file.size(), file.size(), read), TCheck::Valid);
    EXPECT_EQ(read.imageMode, 3);
    EXPECT_EQ(read.left, 0);
    EXPECT_EQ(read.top, 0);
    EXPECT_EQ(read.width, 5);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(read.rowBytes, 16);
    EXPECT_EQ(read.planes, 3);
    const std::uint8_t* row1 = file.data() + 36 + 16;
    EXPECT_EQ(row1[3 * 4 + 0], 201);  // red first
    EXPECT_EQ(row1[3 * 4 + 1], 104);
    EXPECT_EQ(row1[3 * 4 + 2], 41);
    EXPECT_EQ(row1[15], 0x5A);  // padding as the file had it
}

TEST(ExchangeFormat, HostGetsColourBytesAndKeepsItsFurtherPlanes) {
    // Three planes from the program into a four-plane host buffer with rows of its own width.
    const std::vector<std::uint8_t> file = MakeFile(3, 2, 3, 12);
    THeader header;
    ASSERT_EQ(exchange::CheckHeader(file.data(), file.size(), file.size(), header), TCheck::Valid);
    std::vector<std::uint8_t> host(2 * 17, 0x77);
    exchange::RowsToHost(file.data() + 36, header, host.data(), 17, 4);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            for (int p = 0; p < 4; ++p)
                EXPECT_EQ(host[y * 17 + x * 4 + p], p < 3 ? x * 16 + y * 4 + p : 0x77) << x << y << p;
    EXPECT_EQ(host[16], 0x77);  // padding after the pixels

    // Equal planes: each row's pixels, whatever the two row lengths, and never the padding.
    const std::vector<std::uint8_t> wide = MakeFile(3, 2, 4, 20);
    ASSERT_EQ(exchange::CheckHeader(wide.data(), wide.size(), wide.size(), header), TCheck::Valid);
    std::vector<std::uint8_t> same(2 * 13, 0x77);
    exchange::RowsToHost(wide.data() + 36, header, same.data(), 13, 4);
    EXPECT_EQ(same[13 + 11], 2 * 16 + 4 + 3);
    EXPECT_EQ(same[12], 0x77);
    EXPECT_EQ(same[25], 0x77);
}

TEST(ExchangeFormat, TrailerIsLookedForOnlyPastFiveHundredBytes) {
    std::vector<std::uint8_t> file = MakeFile(2, 2, 3, 8);
    const std::size_t rowsEnd = file.size();
    const std::uint8_t payload[] = {'M', 'M', 0, 42, 0, 0, 0, 8};
    file.insert(file.end(), {'E', 'X', 'I', 'F', 8, 0, 0, 0});
    file.insert(file.end(), std::begin(payload), std::end(payload));
    THeader header;
    ASSERT_EQ(exchange::CheckHeader(file.data(), file.size(), file.size(), header), TCheck::Valid);
    std::uint64_t offset = 0;
    std::int32_t length = 0;
    // Counted from offset 4, the end of the rows plus 500 must lie before the end of the file.
    file.resize(rowsEnd + 496);
    EXPECT_FALSE(exchange::FindExifTrailer(file.data(), file.size(), header, offset, length));
    file.resize(rowsEnd + 497);
    ASSERT_TRUE(exchange::FindExifTrailer(file.data(), file.size(), header, offset, length));
    EXPECT_EQ(offset, rowsEnd + 8);
    EXPECT_EQ(length, 8);

    TKelvoPixelBuffer working;
    std::vector<std::uint8_t> jpeg;
    ASSERT_TRUE(ReadExchangeImage(file.data(), file.size(), working, &jpeg));
    ASSERT_EQ(jpeg.size(), 8u + 261);
    EXPECT_EQ(std::memcmp(jpeg.data() + 12, payload, 8), 0);

    // Lengths that are negative, run past the file or do not fit the segment are no trailer.
    for (std::int32_t bad : {-1, 497 - 8 + 1, exchange::MaxExifLength + 1}) {
        PutInt32(file, rowsEnd + 4, bad);
        if (bad > exchange::MaxExifLength) file.resize(rowsEnd + 8 + std::size_t(bad));
        EXPECT_FALSE(exchange::FindExifTrailer(file.data(), file.size(), header, offset, length)) << bad;
    }
}

TEST(ExchangeFormat, WrappedTrailerIsAWellFormedJpeg) {
    // The APP1 length L + 6 counts two bytes less than the segment holds: a trailer ends with two fill
    // bytes, which then stand before the next marker.
    const std::uint8_t exif[] = {'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    const std::vector<std::uint8_t> jpeg = exchange::WrapExifAsJpeg(exif, sizeof exif);
    ASSERT_EQ(jpeg.size(), sizeof exif + 261);
    const std::uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xE1, 0, sizeof exif + 6, 'E', 'x', 'i', 'f', 0, 0};
    EXPECT_EQ(std::memcmp(jpeg.data(), head, sizeof head), 0);
    // Walk the segments as a decoder does: each length must land on the next marker (after fill bytes),
    // in the order a baseline decoder needs.
    std::vector<std::uint8_t> markers;
    std::size_t at = 2;
    for (;;) {
        ASSERT_LT(at + 4, jpeg.size());
        ASSERT_EQ(jpeg[at], 0xFF) << at;
        while (jpeg[at + 1] == 0xFF) ++at;
        if (jpeg[at + 1] == 0xDA) break;
        markers.push_back(jpeg[at + 1]);
        at += 2 + (std::size_t(jpeg[at + 2]) << 8 | jpeg[at + 3]);
    }
    EXPECT_EQ(markers, (std::vector<std::uint8_t>{0xE1, 0xDB, 0xC0, 0xC4}));
    const std::size_t scan = at + 2 + (std::size_t(jpeg[at + 2]) << 8 | jpeg[at + 3]);
    EXPECT_EQ(jpeg.size() - scan, 4u + 2);  // four bytes of scan data, then the end of the image
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg.back(), 0xD9);
}
