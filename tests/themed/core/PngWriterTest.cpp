#include <gtest/gtest.h>

#include <random>

#include "tests/themed/core/PngTestSupport.h"
#include "themed/core/TCompressionStream.h"

using namespace pngtest;

namespace {

struct Encoding {
    int depth, colourType;
    std::string chunks;
    Bytes trns;  // empty when none
};

Encoding Describe(const Bytes& png) {
    Encoding e{};
    for (const ChunkInfo& c : Chunks(png)) {
        if (c.type == "IHDR") {
            e.depth = c.data[8];
            e.colourType = c.data[9];
        }
        if (c.type == "tRNS") e.trns = c.data;
    }
    e.chunks = ChunkTypes(png);
    return e;
}

std::vector<std::uint32_t> Colours(std::size_t n, std::uint32_t alpha = 0xFF000000u) {
    std::vector<std::uint32_t> v;
    for (std::size_t i = 0; i < n; ++i) v.push_back(alpha | std::uint32_t(i * 0x010307u + 0x102030u));
    return v;
}

// Writes and reads back; the pixels must survive exactly.
Encoding RoundTrip(std::int32_t w, std::int32_t h, const std::vector<std::uint32_t>& pixels) {
    const Bytes png = Encode(w, h, pixels);
    const Decoded d = Decode(png);
    EXPECT_EQ(d.width, std::uint32_t(w));
    EXPECT_EQ(d.height, std::uint32_t(h));
    EXPECT_EQ(d.pixels, pixels);
    return Describe(png);
}

}  // namespace

TEST(PngWriter, ChoosesTheSmallestExactEncoding) {
    // One opaque white colour: 1-bit grey; one opaque red: a 1-bit palette of one entry, no tRNS.
    Encoding e = RoundTrip(3, 2, std::vector<std::uint32_t>(6, 0xFFFFFFFF));
    EXPECT_EQ(e.depth, 1);
    EXPECT_EQ(e.colourType, 0);
    EXPECT_EQ(e.chunks, "IHDR IDAT IEND");
    e = RoundTrip(3, 2, std::vector<std::uint32_t>(6, 0xFFFF0000));
    EXPECT_EQ(e.colourType, 3);
    EXPECT_EQ(e.depth, 1);
    EXPECT_EQ(e.chunks, "IHDR PLTE IDAT IEND");
    EXPECT_EQ(Chunks(Encode(3, 2, std::vector<std::uint32_t>(6, 0xFFFF0000)))[1].data, (Bytes{0xFF, 0, 0}));

    // Palette depth by colour count: 3-4 -> 2 bits, 5-16 -> 4, 17-256 -> 8.
    for (auto [n, depth] : {std::pair<std::size_t, int>{3, 2}, {4, 2}, {5, 4}, {16, 4}, {17, 8}, {256, 8}}) {
        SCOPED_TRACE(n);
        std::vector<std::uint32_t> px = Colours(n);
        px.insert(px.end(), px.begin(), px.end());
        e = RoundTrip(std::int32_t(n), 2, px);
        EXPECT_EQ(e.colourType, 3);
        EXPECT_EQ(e.depth, depth);
    }
    // 2-bit and 4-bit greys are written as palettes; 17 or more greys as 8-bit grey.
    std::vector<std::uint32_t> greys;
    for (std::uint32_t i = 0; i < 20; ++i) greys.push_back(0xFF000000u | (i * 9) * 0x010101u);
    e = RoundTrip(20, 1, greys);
    EXPECT_EQ(e.colourType, 0);
    EXPECT_EQ(e.depth, 8);
    e = RoundTrip(4, 1, {greys.begin(), greys.begin() + 4});
    EXPECT_EQ(e.colourType, 3);

    // More than 256 colours: truecolour; with one fully transparent colour a 6-byte key; with partial
    // alpha the alpha channel.
    std::vector<std::uint32_t> many = Colours(300);
    e = RoundTrip(30, 10, many);
    EXPECT_EQ(e.colourType, 2);
    EXPECT_EQ(e.chunks, "IHDR IDAT IEND");
    many[7] = many[250] = 0x00ABCDEF;
    e = RoundTrip(30, 10, many);
    EXPECT_EQ(e.colourType, 2);
    EXPECT_EQ(e.trns, (Bytes{0, 0xAB, 0, 0xCD, 0, 0xEF}));
    many[20] = 0x80123456;
    e = RoundTrip(30, 10, many);
    EXPECT_EQ(e.colourType, 6);
    EXPECT_TRUE(e.trns.empty());
    // Two different transparent colours need the alpha channel too.
    many = Colours(300);
    many[0] = 0x00000001;
    many[1] = 0x00000002;
    EXPECT_EQ(RoundTrip(30, 10, many).colourType, 6);
    // Many greys with partial alpha: grey with alpha.
    std::vector<std::uint32_t> greyAlpha;
    for (std::uint32_t i = 0; i < 600; ++i) greyAlpha.push_back(((i % 200 + 10) << 24) | (i % 256) * 0x010101u);
    EXPECT_EQ(RoundTrip(60, 10, greyAlpha).colourType, 4);
}

TEST(PngWriter, PaletteTransparencyDropsTrailingOpaqueEntries) {
    Encoding e = RoundTrip(4, 1, {0x00FF0000, 0x80FF0000, 0xFF00FF00, 0xFF0000FF});
    EXPECT_EQ(e.colourType, 3);
    EXPECT_EQ(e.trns, (Bytes{0x00, 0x80}));
    // Transparency only on the last entry keeps the whole list.
    e = RoundTrip(3, 1, {0xFFFF0000, 0xFF00FF00, 0x400000FF});
    EXPECT_EQ(e.trns, (Bytes{0xFF, 0xFF, 0x40}));
    // Grey with one transparent level: a key.
    e = RoundTrip(2, 1, {0x00FFFFFF, 0xFF000000});
    EXPECT_EQ(e.colourType, 0);
    EXPECT_EQ(e.depth, 1);
    EXPECT_EQ(e.trns, (Bytes{0, 1}));
}

// Encodings that would lose pixels are not chosen: greys other than black and white in one bit, and a
// transparent key colour that an opaque pixel also has.
TEST(PngWriter, NeverChoosesALossyEncoding) {
    Encoding e = RoundTrip(4, 4, std::vector<std::uint32_t>(16, 0xFF808080));
    EXPECT_EQ(e.colourType, 3);
    RoundTrip(2, 1, {0xFF404040, 0xFFC0C0C0});
    e = RoundTrip(2, 2, {0x00000000, 0xFF000000, 0xFF000000, 0x00000000});
    EXPECT_EQ(e.colourType, 3);
    std::vector<std::uint32_t> greys;
    for (std::uint32_t i = 0; i < 30; ++i) greys.push_back(0xFF000000u | (i * 8) * 0x010101u);
    greys.push_back(0x00404040);
    RoundTrip(31, 1, greys);
    std::vector<std::uint32_t> many = Colours(300);
    many[3] = 0x00000000u | (many[100] & 0xFFFFFFu);
    e = RoundTrip(30, 10, many);
    EXPECT_EQ(e.colourType, 6);
}

TEST(PngWriter, RoundTripsPhotoLikeImagesWithRowStride) {
    std::mt19937 rng(7);
    const int w = 37, h = 23, stride = 41;
    std::vector<std::uint32_t> buffer(stride * h, 0xDEADBEEF), expected;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = 0xFF000000u | std::uint32_t((x * 5 + (rng() & 7)) << 16) |
                                    std::uint32_t((y * 9) << 8) | std::uint32_t(rng() & 0xFF);
            buffer[y * stride + x] = v;
            expected.push_back(v);
        }
    TPNGWriter writer(w, buffer.data(), stride, h);
    TMemoryStream s;
    s.WriteBuffer("xy", 2);
    writer.SaveToStream(s);
    const auto* p = static_cast<const std::uint8_t*>(s.Memory());
    const Bytes png(p + 2, p + s.Size());
    EXPECT_EQ(Decode(png).pixels, expected);
    EXPECT_EQ(ChunkTypes(png), "IHDR IDAT IEND");

    EXPECT_THROW(TPNGWriter(0, buffer.data(), 1, 1), Exception);
    EXPECT_THROW(TPNGWriter(1, buffer.data(), 1, -1), Exception);
}

TEST(PngWriter, FiltersRowsByTheSmallestByteSum) {
    // Row 0 a horizontal ramp (Sub wins), row 1 equal to row 0 (Up wins), row 2 all zero (every filter of
    // a zero row above... None wins the tie), 8-bit grey with more than 16 levels so rows are filtered.
    const int w = 40;
    std::vector<std::uint32_t> px;
    for (int x = 0; x < w; ++x) px.push_back(0xFF000000u | std::uint32_t(x * 3) * 0x010101u);
    for (int x = 0; x < w; ++x) px.push_back(px[x]);
    for (int x = 0; x < w; ++x) px.push_back(0xFF000000u);
    const Bytes png = Encode(w, 3, px);
    ASSERT_EQ(Describe(png).colourType, 0);
    const Bytes raw = Inflate(Chunks(png)[1].data);
    ASSERT_EQ(raw.size(), std::size_t(3 * (w + 1)));
    EXPECT_EQ(raw[0], 1);
    EXPECT_EQ(raw[w + 1], 2);
    EXPECT_EQ(raw[2 * (w + 1)], 0);
    // Palette images are never filtered.
    const Bytes pal = Encode(4, 2, Colours(8));
    const Bytes palRaw = Inflate(Chunks(pal)[2].data);
    EXPECT_EQ(palRaw[0], 0);
    EXPECT_EQ(palRaw[3], 0);
}

TEST(CompressionStream, CompressesAcrossBufferBoundsAtTheStartPosition) {
    Bytes data(200000);
    std::mt19937 rng(3);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = std::uint8_t(i % 251 == 0 ? rng() : i / 1000);
    // Incompressible data fills the 64 KiB buffer several times.
    Bytes noise(150000);
    for (auto& b : noise) b = std::uint8_t(rng());

    for (const Bytes* input : {&data, &noise}) {
        TMemoryStream target;
        target.WriteBuffer("head", 4);
        {
            TCompressionStream z(target);
            for (std::size_t i = 0; i < input->size(); i += 7000)
                z.WriteBuffer(input->data() + i, std::int32_t(std::min<std::size_t>(7000, input->size() - i)));
            // Someone else moving the target does not misplace the compressed bytes.
            target.SetPosition(0);
            z.Finish();
        }
        const auto* p = static_cast<const std::uint8_t*>(target.Memory());
        EXPECT_EQ(Bytes(p, p + 4), (Bytes{'h', 'e', 'a', 'd'}));
        const Bytes compressed(p + 4, p + target.Size());
        EXPECT_EQ(compressed[0], 0x78);
        EXPECT_EQ(compressed[1], 0xDA);  // level 9
        EXPECT_EQ(Inflate(compressed), *input);
    }
    // A stream dropped without Finish still ends its data properly; it cannot be read.
    TMemoryStream target;
    {
        TCompressionStream z(target);
        z.WriteBuffer("abc", 3);
        std::uint8_t b;
        EXPECT_THROW(z.Read(&b, 1), EZlibError);
    }
    const auto* p = static_cast<const std::uint8_t*>(target.Memory());
    EXPECT_EQ(Inflate(Bytes(p, p + target.Size())), (Bytes{'a', 'b', 'c'}));
}
