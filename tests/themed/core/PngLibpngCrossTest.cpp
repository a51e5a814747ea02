// Cross-checks of the PNG codec against Debian's libpng (host builds where it is installed).
#include <gtest/gtest.h>

#if defined(VANTOREL_HAVE_LIBPNG) && __has_include(<png.h>)
#include <png.h>

#include <random>

#include "tests/themed/core/PngTestSupport.h"

using namespace pngtest;

namespace {

struct MemoryReader {
    const Bytes* data;
    std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (r->pos + n > r->data->size()) png_error(png, "short");
    std::memcpy(out, r->data->data() + r->pos, n);
    r->pos += n;
}

void WriteToMemory(png_structp png, png_bytep in, png_size_t n) {
    static_cast<Bytes*>(png_get_io_ptr(png))->insert(static_cast<Bytes*>(png_get_io_ptr(png))->end(), in, in + n);
}

void Flush(png_structp) {}

// libpng's reading of any PNG as 8-bit BGRA (high byte of 16-bit samples, keys made transparent).
std::vector<std::uint32_t> LibpngDecode(const Bytes& file, std::uint32_t& w, std::uint32_t& h) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint32_t> out;
    std::vector<png_bytep> rows;
    MemoryReader r{&file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw std::runtime_error("libpng read failed");
    }
    png_set_read_fn(png, &r, ReadFromMemory);
    png_read_info(png, info);
    w = png_get_image_width(png, info);
    h = png_get_image_height(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    out.resize(std::size_t(w) * h);
    for (std::uint32_t y = 0; y < h; ++y) rows.push_back(reinterpret_cast<png_bytep>(out.data() + std::size_t(y) * w));
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return out;
}

// libpng writes the raw samples (big-endian for 16 bits) given per row.
Bytes LibpngEncode(std::uint32_t w, std::uint32_t h, int depth, int colourType, bool interlaced,
                   const std::vector<Bytes>& rows, const std::vector<png_color>& palette, const Bytes& trnsAlpha,
                   const png_color_16* key) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng write failed");
    }
    png_set_write_fn(png, &out, WriteToMemory, Flush);
    png_set_IHDR(png, info, w, h, depth, colourType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, 0, PNG_ALL_FILTERS);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!trnsAlpha.empty() || key)
        png_set_tRNS(png, info, trnsAlpha.empty() ? nullptr : trnsAlpha.data(), int(trnsAlpha.size()),
                     const_cast<png_color_16*>(key));
    png_write_info(png, info);
    std::vector<png_bytep> ptrs;
    for (const Bytes& r : rows) ptrs.push_back(const_cast<png_bytep>(r.data()));
    png_write_image(png, ptrs.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

TEST(PngLibpngCross, LibpngReadsWhatTheWriterWrites) {
    std::mt19937 rng(11);
    std::vector<std::pair<int, std::vector<std::uint32_t>>> images;  // width, pixels (height 9)
    auto add = [&](int w, auto gen) {
        std::vector<std::uint32_t> px(std::size_t(w) * 9);
        for (std::size_t i = 0; i < px.size(); ++i) px[i] = gen(i);
        images.push_back({w, px});
    };
    add(13, [](std::size_t) { return 0xFFFFFFFFu; });                                         // grey 1
    add(13, [](std::size_t i) { return i % 3 ? 0xFF000000u : 0x00FFFFFFu; });                 // grey 1 + key
    add(13, [](std::size_t i) { return 0xFF000000u | std::uint32_t(i % 3) * 0x404040u; });    // palette 2
    add(13, [](std::size_t i) { return std::uint32_t(i % 11) << 28 | 0x123456u; });           // palette 4 + tRNS
    add(21, [](std::size_t i) { return 0xFF000000u | std::uint32_t(i % 200) * 0x010101u; });  // grey 8
    add(21, [](std::size_t i) { return i % 7 ? 0xFF000000u | std::uint32_t(i % 200) * 0x010101u : 0x00050505u; });
    add(40, [&](std::size_t) { return 0xFF000000u | (rng() & 0xFFFFFFu); });                          // truecolour
    add(40, [&](std::size_t i) { return i % 5 ? 0xFF000000u | (rng() & 0xFFFFFFu) : 0x00ABCDEFu; });  // + key
    add(40, [&](std::size_t) { return rng(); });                                                      // RGBA
    add(40, [&](std::size_t i) { return std::uint32_t(rng() & 0xFF000000u) | std::uint32_t(i % 256) * 0x010101u; });
    for (const auto& [w, px] : images) {
        SCOPED_TRACE(images.size());
        const Bytes file = Encode(w, 9, px);
        std::uint32_t lw = 0, lh = 0;
        EXPECT_EQ(LibpngDecode(file, lw, lh), px);
        EXPECT_EQ(lw, std::uint32_t(w));
        EXPECT_EQ(lh, 9u);
    }
}

TEST(PngLibpngCross, ReaderAgreesWithLibpngOnItsFiles) {
    std::mt19937 rng(5);
    struct Format {
        int colourType, depth;
    };
    const Format formats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                              {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    for (const Format f : formats) {
        for (bool interlaced : {false, true}) {
            for (int variant = 0; variant < 2; ++variant) {  // variant 1 adds transparency
                SCOPED_TRACE(std::to_string(f.colourType) + "/" + std::to_string(f.depth) + (interlaced ? " i" : "") +
                             (variant ? " t" : ""));
                const std::uint32_t w = 1 + rng() % 23, h = 1 + rng() % 19;
                const int channels = f.colourType == 2 ? 3 : f.colourType == 4 ? 2 : f.colourType == 6 ? 4 : 1;
                const std::size_t rowBytes = (std::size_t(w) * channels * f.depth + 7) / 8;
                std::vector<Bytes> rows(h, Bytes(rowBytes));
                const int paletteSize = f.colourType == 3 ? (1 << f.depth) : 0;
                for (Bytes& r : rows)
                    for (auto& b : r) b = std::uint8_t(rng());
                if (f.depth >= 8 && (f.colourType == 0 || f.colourType == 2) && variant)
                    for (Bytes& r : rows)  // repeat the first sample often so the key is hit
                        for (std::size_t i = 0; i + rowBytes / w <= rowBytes; i += rowBytes / w)
                            if (rng() % 3 == 0)
                                std::copy(rows[0].begin(), rows[0].begin() + rowBytes / w, r.begin() + i);
                std::vector<png_color> palette;
                for (int i = 0; i < paletteSize; ++i)
                    palette.push_back({png_byte(rng()), png_byte(rng()), png_byte(rng())});
                Bytes trnsAlpha;
                png_color_16 key{};
                const png_color_16* keyPtr = nullptr;
                if (variant) {
                    if (f.colourType == 3) {
                        for (int i = 0; i < std::max(1, paletteSize / 2); ++i) trnsAlpha.push_back(png_byte(rng()));
                    } else if (f.colourType == 0) {
                        const Bytes& r = rows[0];
                        key.gray = f.depth == 16  ? png_uint_16(r[0] << 8 | r[1])
                                   : f.depth == 8 ? r[0]
                                                  : png_uint_16((r[0] >> (8 - f.depth)) & ((1 << f.depth) - 1));
                        keyPtr = &key;
                    } else if (f.colourType == 2) {
                        const Bytes& r = rows[0];
                        if (f.depth == 16) {
                            key.red = png_uint_16(r[0] << 8 | r[1]);
                            key.green = png_uint_16(r[2] << 8 | r[3]);
                            key.blue = png_uint_16(r[4] << 8 | r[5]);
                        } else {
                            key.red = r[0];
                            key.green = r[1];
                            key.blue = r[2];
                        }
                        keyPtr = &key;
                    } else {
                        continue;
                    }
                }
                const Bytes file =
                    LibpngEncode(w, h, f.depth, f.colourType, interlaced, rows, palette, trnsAlpha, keyPtr);
                std::uint32_t lw = 0, lh = 0;
                const std::vector<std::uint32_t> expected = LibpngDecode(file, lw, lh);
                const Decoded ours = Decode(file);
                ASSERT_EQ(ours.width, lw);
                ASSERT_EQ(ours.height, lh);
                EXPECT_EQ(ours.pixels, expected);
            }
        }
    }
}

#else
TEST(PngLibpngCross, NotBuiltWithoutLibpng) { GTEST_SKIP() << "libpng is not installed; the cross-checks need it"; }
#endif
