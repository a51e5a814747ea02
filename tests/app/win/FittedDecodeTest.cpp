#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "app/win/KelvoFittedDecode.h"
#include "app/win/KelvoGraphicsIO.h"
#include "tests/app/support/ExifBuilder.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::FileBytes;
using testsupport::Wide;
using testsupport::WriteBytes;

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A 24-bit BMP of w x h pixels, red left of the middle and blue right of it.
std::vector<std::uint8_t> RedBlueBmp(std::int32_t w, std::int32_t h) {
    const std::uint32_t stride = (std::uint32_t(w) * 3 + 3) & ~3u, size = stride * std::uint32_t(h);
    std::vector<std::uint8_t> b{'B', 'M'};
    Put32(b, 54 + size);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, std::uint32_t(w));
    Put32(b, std::uint32_t(h));
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            const bool red = x < w / 2;
            b.insert(b.end(), {std::uint8_t(red ? 0 : 255), 0, std::uint8_t(red ? 255 : 0)});
        }
        b.resize(b.size() + (stride - std::uint32_t(w) * 3));
    }
    return b;
}

std::uint32_t PixelAt(const TKelvoFittedPicture& p, std::int32_t x, std::int32_t y) {
    const std::uint8_t* at = p.Bits.data() + std::size_t(y) * std::size_t(p.Stride) + std::size_t(x) * 3;
    return std::uint32_t(at[2]) << 16 | std::uint32_t(at[1]) << 8 | at[0];
}

// A JPEG of w x h pixels of one colour, saved by GDI+.
void WriteFlatJpeg(const std::string& path, std::int32_t w, std::int32_t h, Byte red, Byte blue) {
    TKelvoPixelBuffer pixels;
    pixels.SetFormatAndBounds(KelvoFormatBGR24, TKelvoRect{0, 0, w, h});
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) MakeBGR(pixels.PixelAddress(x, y), red, 0, blue);
    TKelvoProperties none;
    ASSERT_TRUE(WriteGraphicsFile(Wide(path), KelvoFormatJPEG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 95));
}

}  // namespace

TEST(FittedDecode, APictureIsReducedToFitTheBoxWithItsAspectKept) {
    testsupport::TempDir dir;
    WriteBytes(dir.File("wide.bmp"), RedBlueBmp(200, 50));
    TKelvoFittedPicture picture;
    ASSERT_TRUE(KelvoDecodeFitted(Wide(dir.File("wide.bmp")), 96, 72, picture));
    EXPECT_EQ(picture.Width, 96);
    EXPECT_EQ(picture.Height, 24);  // 50 x 0.48, rounded
    EXPECT_EQ(picture.Stride, 288);
    ASSERT_EQ(picture.Bits.size(), 288u * 24u);
    // Away from the edge between them the two colours come through exactly.
    EXPECT_EQ(PixelAt(picture, 5, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(picture, 40, 12), 0xFF0000u);
    EXPECT_EQ(PixelAt(picture, 56, 12), 0x0000FFu);
    EXPECT_EQ(PixelAt(picture, 95, 23), 0x0000FFu);
}

TEST(FittedDecode, AFileThatIsNoPictureIsRefused) {
    testsupport::TempDir dir;
    WriteBytes(dir.File("note.jpg"), std::vector<std::uint8_t>{'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
    TKelvoFittedPicture picture;
    EXPECT_FALSE(KelvoDecodeFitted(Wide(dir.File("note.jpg")), 96, 72, picture));
    EXPECT_FALSE(KelvoDecodeFitted(Wide(dir.File("missing.png")), 96, 72, picture));
    EXPECT_EQ(picture.Width, 0);
}

TEST(FittedDecode, AStoredPreviewIsShownInPlaceOfTheWholePicture) {
    testsupport::TempDir dir;
    // The photo is red, the preview its EXIF block stores blue: the colour tells which one was decoded.
    ASSERT_NO_FATAL_FAILURE(WriteFlatJpeg(dir.File("preview.jpg"), 32, 24, 0, 255));
    ASSERT_NO_FATAL_FAILURE(WriteFlatJpeg(dir.File("photo.jpg"), 640, 480, 255, 0));
    const std::vector<Byte> block =
        exiftest::CameraBlock(true, 1, "Canon", "EOS 5", 15, 1, FileBytes(dir.File("preview.jpg")));
    WriteBytes(dir.File("photo.jpg"),
               exiftest::WithSegment(FileBytes(dir.File("photo.jpg")), exiftest::ExifSegment(block)));
    TKelvoFittedPicture picture;
    ASSERT_TRUE(KelvoDecodeFitted(Wide(dir.File("photo.jpg")), 96, 72, picture));
    EXPECT_EQ(picture.Width, 96);
    EXPECT_EQ(picture.Height, 72);
    const std::uint32_t middle = PixelAt(picture, 48, 36);
    EXPECT_LT(middle >> 16, 0x20u) << std::hex << middle;
    EXPECT_GT(middle & 0xFF, 0xE0u) << std::hex << middle;
}
