#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>
#include <objidl.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/core/KelvoExchangeFormat.h"
#include "app/win/KelvoExchangeFile.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::FileBytes;
using testsupport::Wide;
using testsupport::WriteBytes;

}  // namespace

TEST(ExchangeFile, WrittenFileHasTheProgramLengthAndReadsBack) {
    testsupport::TempDir dir;
    const std::string path = dir.File("PSP1.tmp");
    WriteBytes(path, std::vector<std::uint8_t>(5000, 0x11));  // longer than the result
    TKelvoPixelBuffer working(KelvoFormatBGR24, MakeRect(0, 0, 7, 3));
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t i = 0; i < 21; ++i) working.Row(y)[i] = Byte(y * 21 + i);
    ASSERT_TRUE(WriteExchangeFile(Wide(path), working));
    EXPECT_EQ(FileBytes(path).size(), 36u + 24 * 3);

    TKelvoPixelBuffer read;
    std::vector<std::uint8_t> exif;
    ASSERT_TRUE(ReadExchangeFile(Wide(path), read, &exif));
    ASSERT_EQ(read.Width(), 7);
    ASSERT_EQ(read.Height(), 3);
    for (std::int32_t y = 0; y < 3; ++y) EXPECT_EQ(std::memcmp(read.Row(y), working.Row(y), 21), 0) << y;
    EXPECT_TRUE(exif.empty());
}

TEST(ExchangeFile, ProbingCreatesNothingAndRefusesOtherFiles) {
    testsupport::TempDir dir;
    const std::string missing = dir.File("missing.jpg");
    TKelvoPixelBuffer working;
    EXPECT_FALSE(ReadExchangeFile(Wide(missing), working, nullptr));
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);

    // A header whose rows would lie past the end of the file is not followed.
    const std::string hostile = dir.File("hostile.tmp");
    std::vector<std::uint8_t> bytes(36 + 12, 0);
    exchange::THeader header;
    header.width = 4;
    header.height = 1000;
    header.rowBytes = 12;
    header.planes = 3;
    exchange::WriteHeader(bytes.data(), header);
    WriteBytes(hostile, bytes);
    EXPECT_FALSE(ReadExchangeFile(Wide(hostile), working, nullptr));
    EXPECT_EQ(FileBytes(hostile), bytes);
    EXPECT_FALSE(ReadExchangeFile(Wide(dir.Path()), working, nullptr));
}

TEST(ExchangeFile, WrappedTrailerDecodesAsAnImage) {
    // A little-endian TIFF block with no entries, and the two fill bytes that end a trailer.
    const std::uint8_t exif[] = {'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    const std::vector<std::uint8_t> jpeg = exchange::WrapExifAsJpeg(exif, sizeof exif);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, jpeg.size());
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), jpeg.data(), jpeg.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(memory, TRUE, &stream), S_OK);
    Gdiplus::GpBitmap* bitmap = nullptr;
    const Gdiplus::GpStatus status = Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &bitmap);
    UINT width = 0;
    UINT height = 0;
    if (status == Gdiplus::Ok) {
        Gdiplus::DllExports::GdipGetImageWidth(bitmap, &width);
        Gdiplus::DllExports::GdipGetImageHeight(bitmap, &height);
        Gdiplus::DllExports::GdipDisposeImage(bitmap);
    }
    stream->Release();
    Gdiplus::GdiplusShutdown(token);
    EXPECT_EQ(status, Gdiplus::Ok);
    EXPECT_EQ(width, 8u);
    EXPECT_EQ(height, 8u);
}
