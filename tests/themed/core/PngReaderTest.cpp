#include <gtest/gtest.h>

#include <cmath>

#include "tests/themed/core/PngTestSupport.h"
#include "themed/core/TCompressionStream.h"

using namespace pngtest;

namespace {

struct FormatCase {
    const char* name;
    std::uint32_t w, h;
    int depth, colourType;
    Bytes raw;
    std::vector<Bytes> before;
    std::vector<std::uint32_t> expected;
};

Bytes Plte(const std::vector<std::uint32_t>& rgb) {
    Bytes d;
    for (std::uint32_t c : rgb) {
        d.push_back(std::uint8_t(c >> 16));
        d.push_back(std::uint8_t(c >> 8));
        d.push_back(std::uint8_t(c));
    }
    return Chunk("PLTE", d);
}

}  // namespace

TEST(PngReader, DecodesEveryColourTypeAndDepth) {
    const std::vector<std::uint32_t> pal4 = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
    const FormatCase cases[] = {
        {"grey1",
         10,
         1,
         1,
         0,
         {0, 0b10110000, 0b11000000},
         {},
         {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFFFFFFFF,
          0xFFFFFFFF}},
        {"grey2", 4, 1, 2, 0, {0, 0b00011011}, {}, {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}},
        {"grey4", 3, 1, 4, 0, {0, 0x07, 0xF0}, {}, {0xFF000000, 0xFF777777, 0xFFFFFFFF}},
        {"grey8", 2, 1, 8, 0, {0, 0x12, 0xFE}, {}, {0xFF121212, 0xFFFEFEFE}},
        {"grey16", 2, 1, 16, 0, {0, 0x12, 0x34, 0xAB, 0xCD}, {}, {0xFF121212, 0xFFABABAB}},
        {"rgb8", 2, 1, 8, 2, {0, 1, 2, 3, 250, 128, 0}, {}, {0xFF010203, 0xFFFA8000}},
        {"rgb16", 1, 1, 16, 2, {0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}, {}, {0xFF113355}},
        {"pal1", 3, 1, 1, 3, {0, 0b10100000}, {Plte({0xFF0000, 0x0000FF})}, {0xFF0000FF, 0xFFFF0000, 0xFF0000FF}},
        {"pal2", 4, 1, 2, 3, {0, 0b11100100}, {Plte(pal4)}, {0xFF123456, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000}},
        {"pal4", 2, 1, 4, 3, {0, 0x20}, {Plte({1, 2, 3})}, {0xFF000003, 0xFF000001}},
        {"pal8", 2, 1, 8, 3, {0, 0, 0}, {Plte({0xABCDEF})}, {0xFFABCDEF, 0xFFABCDEF}},
        {"greyAlpha8", 1, 1, 8, 4, {0, 0x40, 0x80}, {}, {0x80404040}},
        {"greyAlpha16", 1, 1, 16, 4, {0, 0x40, 0x00, 0x80, 0x11}, {}, {0x80404040}},
        {"rgba8", 1, 1, 8, 6, {0, 1, 2, 3, 4}, {}, {0x04010203}},
        {"rgba16", 1, 1, 16, 6, {0, 1, 9, 2, 9, 3, 9, 4, 9}, {}, {0x04010203}},
        // Filters: Sub then Up on truecolour; Average then Paeth on grey (Paeth ties: left, then up).
        {"subUp",
         2,
         2,
         8,
         2,
         {1, 10, 20, 30, 5, 5, 5, 2, 1, 1, 1, 2, 2, 2},
         {},
         {0xFF0A141E, 0xFF0F1923, 0xFF0B151F, 0xFF111B25}},
        {"avgPaeth",
         3,
         2,
         8,
         0,
         {3, 10, 4, 6, 4, 1, 2, 3},
         {},
         {0xFF0A0A0A, 0xFF090909, 0xFF0A0A0A, 0xFF0B0B0B, 0xFF0C0C0C, 0xFF0F0F0F}},
        // An unknown filter leaves the bytes as they are.
        {"filter7", 2, 1, 8, 0, {7, 5, 6}, {}, {0xFF050505, 0xFF060606}},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = Decode(SimplePng(c.w, c.h, c.depth, c.colourType, c.raw, c.before));
        EXPECT_EQ(d.width, c.w);
        EXPECT_EQ(d.height, c.h);
        EXPECT_EQ(d.pixels, c.expected);
    }
}

TEST(PngReader, TransparencyKeysAndPaletteAlpha) {
    // Grey 8: only the exact key level becomes transparent.
    EXPECT_EQ(Decode(SimplePng(2, 1, 8, 0, {0, 0x80, 0x81}, {Chunk("tRNS", {0, 0x80})})).pixels,
              (std::vector<std::uint32_t>{0x00808080, 0xFF818181}));
    // Grey 2: the key is the low two bits of the value.
    EXPECT_EQ(Decode(SimplePng(2, 1, 2, 0, {0, 0b10110000}, {Chunk("tRNS", {0x12, 0x06})})).pixels,
              (std::vector<std::uint32_t>{0x00AAAAAA, 0xFFFFFFFF}));
    // Grey 16: the whole sample counts, not just the byte that is shown.
    EXPECT_EQ(Decode(SimplePng(2, 1, 16, 0, {0, 0x12, 0x34, 0x12, 0x35}, {Chunk("tRNS", {0x12, 0x34})})).pixels,
              (std::vector<std::uint32_t>{0x00121212, 0xFF121212}));
    // Truecolour 8 and 16.
    EXPECT_EQ(Decode(SimplePng(2, 1, 8, 2, {0, 1, 2, 3, 1, 2, 4}, {Chunk("tRNS", {0, 1, 0, 2, 0, 3})})).pixels,
              (std::vector<std::uint32_t>{0x00010203, 0xFF010204}));
    EXPECT_EQ(
        Decode(SimplePng(2, 1, 16, 2, {0, 1, 0, 2, 0, 3, 0, 1, 0, 2, 0, 3, 1}, {Chunk("tRNS", {1, 0, 2, 0, 3, 0})}))
            .pixels,
        (std::vector<std::uint32_t>{0x00010203, 0xFF010203}));
    // Palette: a 3-entry tRNS on 5 entries leaves the others opaque; a longer tRNS is cut to the palette.
    const Bytes palette = Plte({1, 2, 3, 4, 5});
    EXPECT_EQ(Decode(SimplePng(5, 1, 8, 3, {0, 0, 1, 2, 3, 4}, {palette, Chunk("tRNS", {0, 0x80, 0xFF})})).pixels,
              (std::vector<std::uint32_t>{0x00000001, 0x80000002, 0xFF000003, 0xFF000004, 0xFF000005}));
    EXPECT_EQ(Decode(SimplePng(1, 1, 8, 3, {0, 0}, {Plte({7}), Chunk("tRNS", {0x10, 0x20, 0x30})})).pixels,
              (std::vector<std::uint32_t>{0x10000007}));
    // Short tRNS chunks and tRNS on types with an alpha channel change nothing.
    EXPECT_EQ(Decode(SimplePng(1, 1, 8, 0, {0, 0x80}, {Chunk("tRNS", {0x80})})).pixels,
              (std::vector<std::uint32_t>{0xFF808080}));
    EXPECT_EQ(Decode(SimplePng(1, 1, 8, 2, {0, 1, 2, 3}, {Chunk("tRNS", {0, 1, 0, 2, 0})})).pixels,
              (std::vector<std::uint32_t>{0xFF010203}));
    EXPECT_EQ(Decode(SimplePng(1, 1, 8, 6, {0, 1, 2, 3, 4}, {Chunk("tRNS", {0, 1, 0, 2, 0, 3})})).pixels,
              (std::vector<std::uint32_t>{0x04010203}));
}

TEST(PngReader, GammaAndBackgroundAreKeptNotApplied) {
    TPNGReader reader;
    Bytes png = SimplePng(1, 1, 16, 2, {0, 1, 0, 2, 0, 3, 0},
                          {Chunk("gAMA", {0, 0, 0xB1, 0x8F}), Chunk("bKGD", {0xFF, 0xFF, 0x80, 0x00, 0, 0})});
    TCustomMemoryStream s;
    s.SetPointer(png.data(), std::int64_t(png.size()));
    reader.LoadFromStream(s);
    EXPECT_NEAR(reader.Gamma(), 0.45455f, 1e-6f);
    EXPECT_TRUE(reader.HasBackground());
    EXPECT_EQ(reader.Background(), 0xFF7F00u);
    EXPECT_EQ(std::vector<std::uint32_t>(reader.Pixels().begin(), reader.Pixels().end()),
              (std::vector<std::uint32_t>{0xFF010203}));
    EXPECT_EQ(s.Position(), std::int64_t(png.size()));

    // Short gAMA and bKGD are ignored, not read past.
    png = SimplePng(1, 1, 8, 2, {0, 1, 2, 3}, {Chunk("gAMA", {1}), Chunk("bKGD", {0, 1})});
    s.SetPointer(png.data(), std::int64_t(png.size()));
    reader.LoadFromStream(s);
    EXPECT_EQ(reader.Gamma(), 0.0f);
    EXPECT_FALSE(reader.HasBackground());
}

TEST(PngReader, ChunkRules) {
    const Bytes row = {0, 0x11, 0x22};
    const Bytes ihdr = IhdrData(2, 1, 8, 0);
    const Bytes idat = Chunk("IDAT", Zlib(row));
    const std::vector<std::uint32_t> expected = {0xFF111111, 0xFF222222};

    // Letter case of chunk names does not matter; unknown ancillary chunks are skipped unchecked.
    EXPECT_EQ(Decode(Png(ihdr, {Chunk("tEXt", {1, 2, 3}, true), Chunk("idat", Zlib(row))})).pixels, expected);
    EXPECT_EQ(DecodeError(Png(ihdr, {Chunk("ABCD", {}), idat})), "Unexpected but critical chunk detected");
    EXPECT_EQ(DecodeError(Png(ihdr, {Chunk("IHDR", ihdr), idat})), "Unexpected but critical chunk detected");
    EXPECT_EQ(DecodeError(Png(ihdr, {idat, Chunk("ABCD", {})})), "Unexpected but critical chunk detected");
    // The chunk right after the data is passed over unread: a late tRNS has no effect.
    EXPECT_EQ(Decode(Png(ihdr, {idat, Chunk("tRNS", {0, 0x11})})).pixels, expected);

    // CRCs of the chunks that are read. A damaged byte inside the data is found by the CRC before the
    // compressed data is looked at.
    EXPECT_EQ(DecodeError(Png(ihdr, {Chunk("IDAT", Zlib(row), true)})), "CRC error");
    Bytes flipped = Png(ihdr, {idat});
    flipped[33 + 8 + 2] ^= 0xFF;
    EXPECT_EQ(DecodeError(flipped), "CRC error");
    EXPECT_EQ(DecodeError(Png(ihdr, {Chunk("gAMA", {0, 0, 0, 1}, true), idat})), "CRC error");
    Bytes badIhdr = Png(ihdr, {idat});
    badIhdr[29] ^= 0x40;
    EXPECT_EQ(DecodeError(badIhdr), "CRC error");

    // Signature, first chunk and header fields.
    Bytes badSig = Png(ihdr, {idat});
    badSig[1] = 'Q';
    EXPECT_EQ(DecodeError(badSig), "Invalid format");
    Bytes noIhdr = Signature();
    const Bytes g = Chunk("gAMA", {0, 0, 0, 1});
    noIhdr.insert(noIhdr.end(), g.begin(), g.end());
    EXPECT_EQ(DecodeError(noIhdr), "Invalid format");
    EXPECT_EQ(DecodeError(Png(IhdrData(2, 1, 8, 0, 0, 1), {idat})), "Unsupported compression scheme");
    EXPECT_EQ(DecodeError(Png(IhdrData(2, 1, 4, 2), {idat})), "Invalid color format");
    EXPECT_EQ(DecodeError(Png(IhdrData(2, 1, 8, 5), {idat})), "Invalid color format");
    EXPECT_EQ(DecodeError(Png(IhdrData(2, 1, 16, 3), {idat})), "Invalid color format");
    EXPECT_EQ(DecodeError(Png(IhdrData(2, 1, 3, 0), {idat})), "Invalid color format");

    // Zero width: no pixels and no error, whatever follows.
    Bytes empty = Signature();
    const Bytes h0 = Chunk("IHDR", IhdrData(0, 5, 8, 0));
    empty.insert(empty.end(), h0.begin(), h0.end());
    empty.push_back(0xEE);
    const Decoded d = Decode(empty);
    EXPECT_EQ(d.width, 0u);
    EXPECT_TRUE(d.pixels.empty());

    // A stream that ends before IEND fails with the stream's read error.
    EXPECT_THROW(Decode(Png(ihdr, {idat}, false)), EReadError);
}

TEST(PngReader, HostileSizesAreRejectedBeforeUse) {
    const Bytes ihdr = IhdrData(2, 1, 8, 0);
    const Bytes idat = Chunk("IDAT", Zlib({0, 1, 2}));
    // A chunk length beyond 2^31 - 1.
    Bytes huge = Png(ihdr, {});
    huge.resize(huge.size() - 12);
    Put32(huge, 0xFFFFFFF0u);
    huge.insert(huge.end(), {'t', 'E', 'X', 't'});
    EXPECT_EQ(DecodeError(huge), "Invalid format");
    // A length the stream does not hold: a read error before memory is taken for it.
    for (const char* type : {"PLTE", "IDAT", "gAMA", "tEXt"}) {
        SCOPED_TRACE(type);
        Bytes longer = Png(ihdr, {});
        longer.resize(longer.size() - 12);
        Put32(longer, 0x7FFFFFF2u);
        longer.insert(longer.end(), type, type + 4);
        longer.insert(longer.end(), 16, 0);
        EXPECT_THROW(Decode(longer), EReadError);
    }
    // IHDR shorter than its 13 bytes.
    Bytes shortHeader = Signature();
    const Bytes sh = Chunk("IHDR", {0, 0, 0, 1, 0, 0, 0, 1});
    shortHeader.insert(shortHeader.end(), sh.begin(), sh.end());
    shortHeader.insert(shortHeader.end(), 40, 0);
    EXPECT_EQ(DecodeError(shortHeader), "Invalid format");
    // Dimensions outside the format, or above the pixel limit.
    EXPECT_EQ(DecodeError(Png(IhdrData(0x80000000u, 1, 8, 0), {idat})), "Invalid format");
    EXPECT_EQ(DecodeError(Png(IhdrData(100000, 100000, 8, 6), {idat})), "Invalid format");
    EXPECT_THROW(Decode(Png(IhdrData(100, 100, 8, 0), {}), 9999), EStreamError);
    EXPECT_NO_THROW(Decode(Png(IhdrData(100, 100, 8, 0), {}), 10000));
}

TEST(PngReader, PaletteChecks) {
    // A full palette for the depth never needs an index check.
    EXPECT_NO_THROW(Decode(SimplePng(4, 1, 2, 3, {0, 0b00011011}, {Plte({1, 2, 3, 4})})));
    // A shorter one raises for an index beyond it, and a missing one for every index.
    EXPECT_EQ(DecodeError(SimplePng(4, 1, 2, 3, {0, 0b00011011}, {Plte({1, 2, 3})})), "Invalid palette index");
    EXPECT_EQ(DecodeError(SimplePng(1, 1, 8, 3, {0, 0})), "Invalid palette index");
    EXPECT_EQ(DecodeError(SimplePng(1, 1, 8, 3, {0, 0}, {Chunk("PLTE", {1, 2, 3, 4})})), "Invalid palette");
    // A palette in a truecolour file is read and ignored.
    EXPECT_EQ(Decode(SimplePng(1, 1, 8, 2, {0, 1, 2, 3}, {Plte({9})})).pixels,
              (std::vector<std::uint32_t>{0xFF010203}));
}

TEST(PngReader, CompressedDataEdges) {
    const Bytes ihdr = IhdrData(4, 3, 8, 0);
    const Bytes rows = {0, 1, 2, 3, 4, 0, 5, 6, 7, 8, 0, 9, 10, 11, 12};
    std::vector<std::uint32_t> full;
    for (std::uint32_t v = 1; v <= 12; ++v) full.push_back(0xFF000000u | v * 0x010101u);

    // The data split over several chunks, one of them empty.
    const Bytes z = Zlib(rows);
    const Bytes a(z.begin(), z.begin() + 5), b(z.begin() + 5, z.end());
    EXPECT_EQ(Decode(Png(ihdr, {Chunk("IDAT", a), Chunk("IDAT", {}), Chunk("IDAT", b)})).pixels, full);

    // Data that stops early: the rows it does not reach stay zero, without error.
    uLongf storedSize = compressBound(uLong(rows.size()));
    Bytes stored(storedSize);
    ASSERT_EQ(compress2(stored.data(), &storedSize, rows.data(), uLong(rows.size()), 0), Z_OK);
    const Bytes truncated(stored.begin(), stored.begin() + 2 + 5 + 5 + 3);
    std::vector<std::uint32_t> partial(full.begin(), full.begin() + 4);
    partial.resize(12, 0);
    EXPECT_EQ(Decode(Png(ihdr, {Chunk("IDAT", truncated)})).pixels, partial);
    // No data at all: a full-size image of zeros.
    EXPECT_EQ(Decode(Png(ihdr, {})).pixels, std::vector<std::uint32_t>(12, 0));

    // A compressed stream that ends inside a row, or that is followed by more bytes.
    EXPECT_EQ(DecodeError(Png(ihdr, {Chunk("IDAT", Zlib(Bytes(rows.begin(), rows.begin() + 8)))})),
              "Extra compressed data found");
    // One that ends on a row boundary while rows are still to come is damaged too.
    EXPECT_EQ(DecodeError(Png(ihdr, {Chunk("IDAT", Zlib(Bytes(rows.begin(), rows.begin() + 5)))})),
              "Extra compressed data found");
    Bytes trailing = z;
    trailing.insert(trailing.end(), {1, 2, 3});
    EXPECT_EQ(DecodeError(Png(ihdr, {Chunk("IDAT", trailing)})), "Extra compressed data found");
    // A second run of data after another chunk.
    EXPECT_EQ(DecodeError(Png(ihdr, {Chunk("IDAT", z), Chunk("tEXt", {}), Chunk("IDAT", z)})),
              "Extra compressed data found");
    // Damaged compressed data is reported by the compression library.
    try {
        Decode(Png(ihdr, {Chunk("IDAT", {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF})}));
        FAIL() << "no error";
    } catch (const EZlibError& e) {
        EXPECT_EQ(e.Message().rfind("Compression error: ", 0), 0u) << e.Message();
    }
    EXPECT_THROW(Decode(Png(ihdr, {Chunk("IDAT", {0x00, 0x00, 0x00})})), EZlibError);
}

namespace {

// Interlaced raw data (filter 0 on every row) for a grey image of the given depth (1 or 8).
Bytes Adam7Rows(std::uint32_t w, std::uint32_t h, int depth, const std::vector<std::uint8_t>& grey) {
    static const std::uint32_t sr[7] = {0, 0, 4, 0, 2, 0, 1}, rs[7] = {8, 8, 8, 4, 4, 2, 2};
    static const std::uint32_t sc[7] = {0, 4, 0, 2, 0, 1, 0}, cs[7] = {8, 8, 4, 4, 2, 2, 1};
    Bytes out;
    for (int p = 0; p < 7; ++p) {
        if (sc[p] >= w) continue;
        for (std::uint32_t y = sr[p]; y < h; y += rs[p]) {
            out.push_back(0);
            Bytes row;
            int bit = 0;
            for (std::uint32_t x = sc[p]; x < w; x += cs[p]) {
                const std::uint8_t v = grey[y * w + x];
                if (depth == 8) {
                    row.push_back(v);
                } else {
                    if (bit % 8 == 0) row.push_back(0);
                    if (v) row.back() |= std::uint8_t(0x80 >> (bit % 8));
                    ++bit;
                }
            }
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

}  // namespace

TEST(PngReader, InterlacedImages) {
    for (auto [w, h] : {std::pair<std::uint32_t, std::uint32_t>{5, 3}, {1, 1}, {9, 10}, {3, 17}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        std::vector<std::uint8_t> grey(w * h), bits(w * h);
        std::vector<std::uint32_t> expected8, expected1;
        for (std::uint32_t i = 0; i < w * h; ++i) {
            grey[i] = std::uint8_t(i * 7 + 3);
            bits[i] = std::uint8_t((i * 5 / 3) % 2);
            expected8.push_back(0xFF000000u | grey[i] * 0x010101u);
            expected1.push_back(bits[i] ? 0xFFFFFFFFu : 0xFF000000u);
        }
        EXPECT_EQ(Decode(SimplePng(w, h, 8, 0, Adam7Rows(w, h, 8, grey), {}, 1)).pixels, expected8);
        EXPECT_EQ(Decode(SimplePng(w, h, 1, 0, Adam7Rows(w, h, 1, bits), {}, 1)).pixels, expected1);
    }
}
