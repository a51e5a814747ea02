#include <gtest/gtest.h>

#include <cstring>

#include "classlib/core/BmpFormat.h"
#include "classlib/core/IconFormat.h"

namespace {

// A test image whose every pixel byte differs from its neighbours, so a swapped row or a shifted column shows.
TDibImage Pattern(std::int32_t width, std::int32_t height, int bitCount) {
    TDibImage image;
    image.Width = width;
    image.Height = height;
    image.BitCount = bitCount;
    if (bitCount <= 8)
        for (std::uint32_t i = 0; i < (1u << bitCount); ++i) image.Palette.push_back(i * 0x010203u & 0xFFFFFF);
    image.Pixels.resize(image.Stride() * std::size_t(height));
    std::size_t used = (std::size_t(width) * bitCount + 7) / 8;
    for (std::int32_t y = 0; y < height; ++y)
        for (std::size_t x = 0; x < used; ++x) image.Row(y)[x] = Byte(y * 31 + x * 7 + 1);
    // The padding at a row's end is not picture; the writer keeps whatever is there, so clear it.
    if (bitCount < 8 && (width * bitCount) % 8)
        for (std::int32_t y = 0; y < height; ++y) image.Row(y)[used - 1] &= Byte(0xFF << (8 - (width * bitCount) % 8));
    return image;
}

void Put32(std::vector<Byte>& d, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) d[at + i] = Byte(v >> (8 * i));
}

// Offsets into a file written by WriteBmpFile.
constexpr std::size_t kOffBits = 10, kWidth = 18, kHeight = 22, kPlanes = 26, kBitCount = 28, kCompression = 30,
                      kClrUsed = 46;

}  // namespace

TEST(BmpFormat, EveryDepthRoundTripsThroughAFile) {
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        TDibImage image = Pattern(13, 5, bits);
        std::vector<Byte> file = WriteBmpFile(image);
        EXPECT_EQ(BmpFileSize(file.data(), file.size()), file.size());
        TDibImage back = ReadBmpFile(file.data(), file.size());
        EXPECT_EQ(back.Width, 13);
        EXPECT_EQ(back.Height, 5);
        EXPECT_EQ(back.BitCount, bits);
        EXPECT_EQ(back.Palette, image.Palette);
        EXPECT_EQ(back.Pixels, image.Pixels);
    }
}

TEST(BmpFormat, RowsAreStoredBottomUpAndTopDownFilesReadTheSame) {
    TDibImage image = Pattern(3, 4, 24);
    std::vector<Byte> file = WriteBmpFile(image);
    std::uint32_t offset = file[kOffBits] | file[kOffBits + 1] << 8;
    std::size_t stride = image.Stride();
    // The first stored row is the picture's bottom row.
    EXPECT_EQ(0, std::memcmp(file.data() + offset, image.Row(3), stride));

    // The same picture as a top-down file: negative height, rows in picture order.
    std::vector<Byte> topDown(file.begin(), file.begin() + offset);
    Put32(topDown, kHeight, std::uint32_t(-4));
    topDown.insert(topDown.end(), image.Pixels.begin(), image.Pixels.end());
    TDibImage back = ReadBmpFile(topDown.data(), topDown.size());
    EXPECT_EQ(back.Height, 4);
    EXPECT_EQ(back.Pixels, image.Pixels);
}

TEST(BmpFormat, PackedDibAndCoreHeader) {
    TDibImage image = Pattern(5, 2, 8);
    std::vector<Byte> file = WriteBmpFile(image);
    TDibImage packed = ReadPackedDib(file.data() + 14, file.size() - 14);
    EXPECT_EQ(packed.Pixels, image.Pixels);
    EXPECT_EQ(packed.Palette, image.Palette);

    // The 12-byte header keeps three-byte colour entries.
    std::vector<Byte> core = {12,   0,    0,    0,    2,    0,    1, 0, 1, 0, 1, 0,  // 2x1, 1 plane, 1 bit
                              0x10, 0x20, 0x30, 0x40, 0x50, 0x60,                    // blue, green, red per entry
                              0x80, 0,    0,    0};
    TDibImage mono = ReadPackedDib(core.data(), core.size());
    EXPECT_EQ(mono.Width, 2);
    ASSERT_EQ(mono.Palette.size(), 2u);
    EXPECT_EQ(mono.Palette[0], 0x302010u);
    EXPECT_EQ(mono.Palette[1], 0x605040u);
    EXPECT_EQ(mono.Pixels[0], 0x80);
}

TEST(BmpFormat, BitfieldsBecomeBlueGreenRedAlpha) {
    // One 32-bit pixel with red in the low byte and alpha at the top: masks in a 40-byte header.
    std::vector<Byte> dib(40 + 12 + 4, 0);
    Put32(dib, 0, 40);
    Put32(dib, 4, 1);
    Put32(dib, 8, 1);
    dib[12] = 1;
    dib[14] = 32;
    Put32(dib, 16, 3);
    Put32(dib, 40, 0x000000FF);  // red
    Put32(dib, 44, 0x0000FF00);  // green
    Put32(dib, 48, 0x00FF0000);  // blue
    Put32(dib, 52, 0x80332211);
    TDibImage image = ReadPackedDib(dib.data(), dib.size());
    EXPECT_EQ(image.Pixels, (std::vector<Byte>{0x33, 0x22, 0x11, 0}));

    // A mask that is not one run of bits is no colour channel.
    Put32(dib, 40, 0x00000F0F);
    EXPECT_THROW(ReadPackedDib(dib.data(), dib.size()), EInvalidGraphic);
}

TEST(BmpFormat, MalformedHeadersAreRejectedWithoutReadingPastTheData) {
    TDibImage image = Pattern(7, 3, 8);
    const std::vector<Byte> good = WriteBmpFile(image);

    // Every truncation of a valid file is rejected (the sanitizers see any read past the copy's end).
    for (std::size_t n = 0; n < good.size(); ++n) {
        std::vector<Byte> cut(good.begin(), good.begin() + n);
        EXPECT_THROW(ReadBmpFile(cut.data(), cut.size()), EInvalidGraphic) << n;
    }

    auto rejects = [&](std::size_t at, std::uint32_t value, int bytes) {
        std::vector<Byte> bad = good;
        for (int i = 0; i < bytes; ++i) bad[at + i] = Byte(value >> (8 * i));
        EXPECT_THROW(ReadBmpFile(bad.data(), bad.size()), EInvalidGraphic) << at << " = " << value;
    };
    rejects(0, 'X', 1);                 // signature
    rejects(kOffBits, 0xFFFFFFF0u, 4);  // pixels beyond the end
    rejects(kOffBits, 20, 4);           // pixels inside the header
    rejects(14, 41, 4);                 // unknown header size
    rejects(14, 0xFFFFFFFFu, 4);
    rejects(kWidth, 0, 4);
    rejects(kWidth, 0x80000000u, 4);   // negative width
    rejects(kWidth, 0x7FFFFFFFu, 4);   // absurd width: never allocated
    rejects(kHeight, 0x80000000u, 4);  // the height that has no positive counterpart
    rejects(kHeight, 0x01000000u, 4);
    rejects(kPlanes, 2, 2);
    rejects(kBitCount, 16, 2);  // 16-bit images are not supported
    rejects(kBitCount, 7, 2);
    rejects(kCompression, 1, 4);  // run-length encoded
    rejects(kCompression, 3, 4);  // bit fields only for 32 bits
    rejects(kClrUsed, 257, 4);    // more colours than the depth has
    rejects(kClrUsed, 0xFFFFFFFFu, 4);
}

TEST(BmpFormat, WriterRefusesInconsistentImages) {
    TDibImage image = Pattern(4, 4, 24);
    image.Pixels.pop_back();
    EXPECT_THROW(WriteBmpFile(image), EInvalidGraphic);
    TDibImage odd = Pattern(4, 4, 24);
    odd.BitCount = 16;
    EXPECT_THROW(WriteBmpFile(odd), EInvalidGraphic);
    EXPECT_THROW(DibRowStride(-1, 24), EInvalidGraphic);
    EXPECT_EQ(DibRowStride(1, 1), 4u);
    EXPECT_EQ(DibRowStride(33, 1), 8u);
    EXPECT_EQ(DibRowStride(3, 24), 12u);
}

TEST(IconFormat, DirectoryEntriesMustLieInsideTheFile) {
    // Two images: 16x16 at 4 bits and 32x32 at 32 bits (size byte 0 means 256).
    std::vector<Byte> ico(6 + 2 * 16 + 40 + 40, 0);
    ico[2] = 1;
    ico[4] = 2;
    auto entry = [&](std::size_t i, Byte w, Byte h, int bits, std::uint32_t size, std::uint32_t offset) {
        std::size_t e = 6 + i * 16;
        ico[e] = w;
        ico[e + 1] = h;
        ico[e + 6] = Byte(bits);
        Put32(ico, e + 8, size);
        Put32(ico, e + 12, offset);
    };
    entry(0, 16, 16, 4, 40, 38);
    entry(1, 32, 32, 32, 40, 78);
    std::vector<TIconDirEntry> entries = ReadIconDirectory(ico.data(), ico.size());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].Width, 32);
    EXPECT_EQ(ChooseIconEntry(entries, 32, 32), 1u);
    EXPECT_EQ(ChooseIconEntry(entries, 16, 16), 0u);
    EXPECT_EQ(ChooseIconEntry(entries, 24, 24), 1u);  // equally far: more colours win

    entry(1, 0, 0, 32, 41, 78);  // one byte too long
    EXPECT_THROW(ReadIconDirectory(ico.data(), ico.size()), EInvalidGraphic);
    entry(1, 0, 0, 32, 0xFFFFFFFFu, 0xFFFFFFFFu);
    EXPECT_THROW(ReadIconDirectory(ico.data(), ico.size()), EInvalidGraphic);
    entry(1, 0, 0, 32, 40, 78);
    EXPECT_EQ(ReadIconDirectory(ico.data(), ico.size())[1].Width, 256);

    ico[4] = 200;  // more entries than the file has room for
    EXPECT_THROW(ReadIconDirectory(ico.data(), ico.size()), EInvalidGraphic);
    ico[4] = 0;
    EXPECT_THROW(ReadIconDirectory(ico.data(), ico.size()), EInvalidGraphic);
    ico[4] = 2;
    ico[2] = 2;  // a cursor file
    EXPECT_THROW(ReadIconDirectory(ico.data(), ico.size()), EInvalidGraphic);
}
