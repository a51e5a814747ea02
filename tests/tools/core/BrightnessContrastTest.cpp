#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/core/TKelvoPixelBuffer.h"
#include "app/core/TKelvoPixels.h"
#include "classlib/core/Exceptions.h"
#include "tools/core/BrightnessContrast.h"

namespace {
// A one-row 24-bit image over the given bytes (blue, green, red per pixel).
struct TRow {
    std::vector<std::uint8_t> bytes;
    TKelvoPixels pixels;
    explicit TRow(std::vector<std::uint8_t> b) : bytes(std::move(b)) {
        const std::int32_t w = std::int32_t(bytes.size() / 3);
        bytes.resize((bytes.size() + 3) / 4 * 4);
        pixels.Init(MakeRect(0, 0, w, 1), bytes.data(), KelvoFormatBGR24, std::int32_t(bytes.size()));
    }
};

TEST(BrightnessContrastTest, TrackBarValuesGiveTheLineThroughTwoPoints) {
    TKelvoToneTable t = ToneTableOfLine(BrightnessContrastLine(127, 0));
    EXPECT_EQ(t[0], 127);
    EXPECT_EQ(t[1], 128);
    EXPECT_EQ(t[128], 255);
    EXPECT_EQ(t[200], 255);

    t = ToneTableOfLine(BrightnessContrastLine(0, -127));  // (0, 127) to (255, 128)
    EXPECT_EQ(t[0], 127);
    EXPECT_EQ(t[127], 127);  // 127.498
    EXPECT_EQ(t[128], 128);
    EXPECT_EQ(t[255], 128);

    const TToneLine line = BrightnessContrastLine(10, -20);
    EXPECT_EQ(line.P1, MakePoint(-10, 20));
    EXPECT_EQ(line.P2, MakePoint(245, 235));
    const TToneLine steep = BrightnessContrastLine(-5, 100);
    EXPECT_EQ(steep.P1, MakePoint(105, 0));
    EXPECT_EQ(steep.P2, MakePoint(160, 255));
    EXPECT_EQ(BrightnessContrastLine(0, 500).P1, MakePoint(127, 0));  // held to the track bar's range
}

TEST(BrightnessContrastTest, TheScanTakesLevelsOnlyFromPixelsThatBeatTheSumSoFar) {
    // Black and white never count; (250, 10, 5) lowers Dmin to 5 but cannot raise Dmax past a greater sum.
    TRow row({0, 0, 0, 40, 30, 200, 255, 255, 255, 250, 10, 5, 255, 240, 100});
    EXPECT_EQ(ScanAutoLevels(row.pixels), (TAutoLevels{5, 240}));
    const TAutoCorrection c = AutoCorrection(ScanAutoLevels(row.pixels));
    EXPECT_EQ(c.Brightness, 5);
    EXPECT_EQ(c.Contrast, 10);
    EXPECT_EQ(c.Line.P1, MakePoint(5, 0));
    EXPECT_EQ(c.Line.P2, MakePoint(240, 255));

    // A full grey ramp: its ends are black and white, so 1 and 254 are the levels and the contrast is 1.
    std::vector<std::uint8_t> ramp;
    for (int v = 0; v < 256; ++v) ramp.insert(ramp.end(), {std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)});
    TRow grey(ramp);
    EXPECT_EQ(ScanAutoLevels(grey.pixels), (TAutoLevels{1, 254}));
    EXPECT_EQ(AutoCorrection(ScanAutoLevels(grey.pixels)).Contrast, 1);
    EXPECT_EQ(AutoCorrection(ScanAutoLevels(grey.pixels)).Brightness, 0);

    TRow black({0, 0, 0, 0, 0, 0});
    EXPECT_EQ(ScanAutoLevels(black.pixels), (TAutoLevels{0, 255}));
}

TEST(BrightnessContrastTest, AutoCorrectionOfOneGreyLeavesTheImageUnchanged) {
    TRow source({128, 128, 128, 128, 128, 128});
    TRow dest({1, 2, 3, 4, 5, 6});
    const TAutoCorrection c = AutoCorrection(ScanAutoLevels(source.pixels));
    EXPECT_EQ(c.Brightness, 0);
    EXPECT_EQ(c.Contrast, 0);  // not 128, outside the track bar
    ApplyToneTable(source.pixels, dest.pixels, ToneTableOfLine(c.Line));
    EXPECT_EQ(std::vector<std::uint8_t>(dest.bytes.begin(), dest.bytes.begin() + 6),
              (std::vector<std::uint8_t>{128, 128, 128, 128, 128, 128}));
}

TEST(BrightnessContrastTest, TheTableMapsEveryColourByteOfTheSharedPixels) {
    TRow source({0, 100, 200, 255, 1, 2});
    TRow dest({9, 9, 9, 9, 9, 9, 9, 9, 9});  // one pixel wider than the source
    ApplyToneTable(source.pixels, dest.pixels, ToneTableOfLine(BrightnessContrastLine(127, 0)));
    EXPECT_EQ(std::vector<std::uint8_t>(dest.bytes.begin(), dest.bytes.begin() + 9),
              (std::vector<std::uint8_t>{127, 227, 255, 255, 128, 129, 9, 9, 9}));
    EXPECT_THROW(ApplyToneTable(source.pixels, dest.pixels, TKelvoToneTable(255)), ERangeError);
}
TEST(BrightnessContrastTest, ALargeImageMapsEveryColourByteAsThePlainLookUpInPlaceToo) {
    // 1001 pixels make rows of 3003 bytes with one byte of padding; 350 rows pass a megabyte.
    const TKelvoRect bounds = MakeRect(0, 0, 1001, 350);
    TKelvoPixelBuffer source(KelvoFormatBGR24, bounds), dest(KelvoFormatBGR24, bounds);
    std::uint32_t seed = 12345;
    for (std::int64_t i = 0; i < source.MemorySize(); ++i) {
        seed = seed * 1103515245u + 12345u;
        source.Bits()[i] = std::uint8_t(seed >> 16);
    }
    std::fill(dest.Bits(), dest.Bits() + dest.MemorySize(), std::uint8_t(0xA5));
    // Neither monotonic nor symmetric, so a byte mapped by its neighbour's entry shows.
    TKelvoToneTable table(256);
    for (std::size_t i = 0; i < 256; ++i) table[i] = std::uint16_t((i * 37 + 11) % 256);
    const std::vector<std::uint8_t> original(source.Bits(), source.Bits() + source.MemorySize());

    ApplyToneTable(source, dest, table);
    ApplyToneTable(source, source, table);
    for (std::int32_t y = 0; y < 350; ++y) {
        const std::uint8_t* o = original.data() + std::size_t(y) * std::size_t(source.Stride());
        for (std::int32_t k = 0; k < 3003; ++k) {
            ASSERT_EQ(dest.Row(y)[k], table[o[k]]) << "row " << y << " byte " << k;
            ASSERT_EQ(source.Row(y)[k], table[o[k]]) << "in place, row " << y << " byte " << k;
        }
        EXPECT_EQ(dest.Row(y)[3003], 0xA5);  // padding untouched
        EXPECT_EQ(source.Row(y)[3003], o[3003]);
    }
}
TEST(BrightnessContrastTest, WiderPixelsKeepTheirFourthByte) {
    TKelvoPixelBuffer source(KelvoFormatBGR24, MakeRect(0, 0, 2, 1)), dest(KelvoFormatBGRA32, MakeRect(0, 0, 2, 1));
    const std::uint8_t in[6] = {0, 100, 200, 1, 2, 3};
    std::copy(in, in + 6, source.Bits());
    std::fill(dest.Bits(), dest.Bits() + 8, std::uint8_t(77));
    ApplyToneTable(source, dest, ToneTableOfLine(BrightnessContrastLine(127, 0)));
    EXPECT_EQ(std::vector<std::uint8_t>(dest.Bits(), dest.Bits() + 8),
              (std::vector<std::uint8_t>{127, 227, 255, 77, 128, 129, 130, 77}));
}
}  // namespace
