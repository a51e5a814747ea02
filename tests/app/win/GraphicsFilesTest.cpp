#include <gtest/gtest.h>

#include <chrono>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <zlib.h>

#include "app/core/KelvoPixelOps.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsFormats.h"
#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/app/win/LoadedImage.h"
#include "tests/app/win/PixelTestSupport.h"

namespace {

using pixeltest::FillGradient;
using pixeltest::Loaded;
using pixeltest::MaxDifference;
using testsupport::FileBytes;
using testsupport::Wide;
using testsupport::WriteBytes;

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    return data.ftLastWriteTime;
}

// A little-endian baseline TIFF of w x h RGB pixels ((x, y) is red 10 x, green 10 y, blue 7) with an
// orientation tag and the camera's make and model.
std::vector<Byte> MakeTiff(std::uint16_t w, std::uint16_t h, std::uint16_t orientation, const std::string& make,
                           const std::string& model) {
    struct Entry {
        std::uint16_t Tag, Type;
        std::uint32_t Count, Value;
    };
    const std::uint32_t entries = 13;
    const std::uint32_t extra = 8 + 2 + entries * 12 + 4;  // bits per sample, make, model, pixels follow the IFD
    const std::uint32_t makeAt = extra + 6, modelAt = makeAt + std::uint32_t(make.size() + 1);
    const std::uint32_t pixelsAt = modelAt + std::uint32_t(model.size() + 1);
    const Entry ifd[entries] = {
        {256, 3, 1, w},
        {257, 3, 1, h},
        {258, 3, 3, extra},
        {259, 3, 1, 1},
        {262, 3, 1, 2},
        {271, 2, std::uint32_t(make.size() + 1), makeAt},
        {272, 2, std::uint32_t(model.size() + 1), modelAt},
        {273, 4, 1, pixelsAt},
        {274, 3, 1, orientation},
        {277, 3, 1, 3},
        {278, 3, 1, h},
        {279, 4, 1, std::uint32_t(w) * h * 3},
        {284, 3, 1, 1},
    };
    std::vector<Byte> out = {'I', 'I', 42, 0, 8, 0, 0, 0};
    const auto put16 = [&](std::uint32_t v) { out.push_back(Byte(v)), out.push_back(Byte(v >> 8)); };
    const auto put32 = [&](std::uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    put16(entries);
    for (const Entry& e : ifd) {
        put16(e.Tag), put16(e.Type), put32(e.Count);
        put32(e.Value);  // a single SHORT sits in the low half
    }
    put32(0);
    put16(8), put16(8), put16(8);
    out.insert(out.end(), make.begin(), make.end());
    out.push_back(0);
    out.insert(out.end(), model.begin(), model.end());
    out.push_back(0);
    for (std::uint16_t y = 0; y < h; ++y)
        for (std::uint16_t x = 0; x < w; ++x)
            out.push_back(Byte(10 * x)), out.push_back(Byte(10 * y)), out.push_back(7);
    return out;
}

// A grey 1-bit PNG of side x side black pixels: a small file for a very large image.
std::vector<Byte> MakeBlackPng(std::uint32_t side) {
    std::vector<Byte> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    const auto chunk = [&](const char* type, const std::vector<Byte>& body) {
        const std::uint32_t n = std::uint32_t(body.size());
        for (int s = 24; s >= 0; s -= 8) out.push_back(Byte(n >> s));
        std::vector<Byte> typed(type, type + 4);
        typed.insert(typed.end(), body.begin(), body.end());
        out.insert(out.end(), typed.begin(), typed.end());
        const std::uint32_t crc = std::uint32_t(crc32(0, typed.data(), uInt(typed.size())));
        for (int s = 24; s >= 0; s -= 8) out.push_back(Byte(crc >> s));
    };
    std::vector<Byte> header;
    for (int i = 0; i < 2; ++i)
        for (int s = 24; s >= 0; s -= 8) header.push_back(Byte(side >> s));
    header.insert(header.end(), {1, 0, 0, 0, 0});
    chunk("IHDR", header);

    // Row by row through deflate: a filter byte and (side + 7) / 8 zero bytes each.
    std::vector<Byte> row(1 + (side + 7) / 8, 0), data(1 << 20);
    z_stream z{};
    deflateInit(&z, 9);
    z.next_out = data.data();
    z.avail_out = uInt(data.size());
    for (std::uint32_t y = 0; y < side; ++y) {
        z.next_in = row.data();
        z.avail_in = uInt(row.size());
        deflate(&z, y + 1 == side ? Z_FINISH : Z_NO_FLUSH);
    }
    while (deflate(&z, Z_FINISH) == Z_OK) {}
    data.resize(z.total_out);
    deflateEnd(&z);
    chunk("IDAT", data);
    chunk("IEND", {});
    return out;
}

bool IsTiffPixel(const TKelvoPixels& p, std::int32_t x, std::int32_t y, std::int32_t sx, std::int32_t sy) {
    const Byte* q = p.PixelAddress(x, y);
    return q[2] == Byte(10 * sx) && q[1] == Byte(10 * sy) && q[0] == 7;
}

}  // namespace

TEST(GraphicsFiles, EveryFormatReadsBackItsPixels) {
    testsupport::TempDir dir;
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, 37, 23});
    FillGradient(pixels);
    const char* names[] = {"a.jpg", "a.tif", "a.png", "a.bmp", "a.kvi"};
    for (std::int32_t id = 0; id < KelvoGraphicsFormatCount; ++id) {
        SCOPED_TRACE(names[id]);
        const std::string path = dir.File(names[id]);
        TKelvoProperties none;
        ASSERT_TRUE(WriteGraphicsFile(Wide(path), id, pixels, TKelvoRect{}, none, TKelvoResolution{}, 95));
        Loaded in;
        ASSERT_TRUE(in.Read(path));
        EXPECT_EQ(in.FormatId, id);
        ASSERT_EQ(in.Working.GetWidth(), 37);
        ASSERT_EQ(in.Working.GetHeight(), 23);
        EXPECT_EQ(in.Working.GetFormat(), KelvoFormatBGR24);
        const bool lossy = id == KelvoFormatJPEG || id == KelvoFormatKVI;
        EXPECT_LE(MaxDifference(in.Working.GetPixels(), pixels), lossy ? 12 : 0);
    }
}

TEST(GraphicsFiles, AGifOpensAsAnotherFormatNeverAsTheExchangeFile) {
    testsupport::TempDir dir;
    const std::string path = dir.File("a.gif");
    // One white pixel.
    WriteBytes(path,
               {'G', 'I', 'F', '8', '9', 'a',  1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,    0, 0x21, 0xF9, 4,
                1,   0,   0,   0,   0,   0x2C, 0, 0, 0, 0, 1,    0, 1, 0,    0,    2,    2, 0x44, 1, 0,    0x3B});
    Loaded in;
    ASSERT_TRUE(in.Read(path));
    EXPECT_EQ(in.FormatId, KelvoFormatOther);
    ASSERT_EQ(in.Working.GetBounds(), (TKelvoRect{0, 0, 1, 1}));
    EXPECT_EQ(in.Working.GetPixels().Bits()[1], 0xFF);
    TKelvoProperties none;
    EXPECT_FALSE(WriteGraphicsFile(Wide(path), KelvoFormatOther, in.Working.GetPixels(), TKelvoRect{}, none,
                                   TKelvoResolution{}, 80));
}

TEST(GraphicsFiles, OnlyTheImageAreaIsSavedAndThumbnailTagsAreDropped) {
    testsupport::TempDir dir;
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, 6, 5});
    FillGradient(pixels);
    TKelvoProperties properties;
    const Byte b = 1;
    properties.SetValue(0x5013, 1, 1, &b);
    properties.SetValue(0x501A, 1, 1, &b);
    const std::string path = dir.File("area.png");
    ASSERT_TRUE(WriteGraphicsFile(Wide(path), KelvoFormatPNG, pixels, TKelvoRect{2, 1, 5, 3}, properties,
                                  TKelvoResolution{300, 300}, 80));
    EXPECT_FALSE(properties.Exists(0x5013));
    EXPECT_TRUE(properties.Exists(0x501A));

    Loaded in;
    ASSERT_TRUE(in.Read(path));
    ASSERT_EQ(in.Working.GetBounds(), (TKelvoRect{0, 0, 3, 2}));
    EXPECT_EQ(std::memcmp(in.Working.GetPixels().PixelAddress(0, 0), pixels.PixelAddress(2, 1), 9), 0);
    EXPECT_EQ(std::memcmp(in.Working.GetPixels().PixelAddress(0, 1), pixels.PixelAddress(2, 2), 9), 0);
    EXPECT_EQ(in.Resolution.X, 300);
    EXPECT_EQ(in.Resolution.Y, 300);
    // The exchange file is not written here, nor a format of no row.
    EXPECT_FALSE(WriteGraphicsFile(Wide(dir.File("x.bin")), KelvoFormatExchange, pixels, TKelvoRect{}, properties,
                                   TKelvoResolution{}, 80));
}

TEST(GraphicsFiles, TiffsWithOrientations6And8And3OpenUpright) {
    testsupport::TempDir dir;
    const std::string path = dir.File("turned.tif");
    // Of a stored 3 x 2 image: the upright size, and where two stored pixels show.
    struct Case {
        std::uint16_t Orientation;
        std::int32_t Width, Height;
        std::int32_t X1, Y1, SX1, SY1, X2, Y2, SX2, SY2;
    };
    const Case cases[] = {
        {6, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1},  // clockwise: (x, y) -> (H - 1 - y, x)
        {8, 2, 3, 0, 2, 0, 0, 1, 0, 2, 1},  // counter-clockwise: (x, y) -> (y, W - 1 - x)
        {3, 3, 2, 2, 1, 0, 0, 0, 1, 2, 0},  // half round
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Orientation);
        WriteBytes(path, MakeTiff(3, 2, c.Orientation, "Maker", "Model 1"));
        Loaded in;
        ASSERT_TRUE(in.Read(path));
        EXPECT_EQ(in.FormatId, KelvoFormatTIFF);
        ASSERT_EQ(in.Working.GetBounds(), (TKelvoRect{0, 0, c.Width, c.Height}));
        EXPECT_TRUE(IsTiffPixel(in.Working.GetPixels(), c.X1, c.Y1, c.SX1, c.SY1));
        EXPECT_TRUE(IsTiffPixel(in.Working.GetPixels(), c.X2, c.Y2, c.SX2, c.SY2));
        std::uint16_t orientation = 0;
        ASSERT_TRUE(GetOrientation(in.Properties, orientation));
        EXPECT_EQ(orientation, 1);
        EXPECT_EQ(PropertyText(in.Properties, TagModel), u"Model 1");
    }
}

TEST(GraphicsFiles, KviIsTheQuality100JpegWithItsHeaderComplementedAndOpeningNeverWritesIt) {
    testsupport::TempDir dir;
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, 40, 30});
    FillGradient(pixels);
    const std::string jpeg = dir.File("a.jpg"), kvi = dir.File("a.kvi");
    TKelvoProperties none;
    ASSERT_TRUE(WriteGraphicsFile(Wide(jpeg), KelvoFormatJPEG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 100));
    ASSERT_TRUE(WriteGraphicsFile(Wide(kvi), KelvoFormatKVI, pixels, TKelvoRect{}, none, TKelvoResolution{}, 10));
    const std::vector<Byte> plain = FileBytes(jpeg), stored = FileBytes(kvi);
    ASSERT_EQ(plain.size(), stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i)
        ASSERT_EQ(stored[i], i < 16 ? Byte(plain[i] ^ 0xFF) : plain[i]) << "byte " << i;

    // Opened from a read-only file: nothing may be written to it, and nothing is.
    ASSERT_TRUE(::SetFileAttributesA(kvi.c_str(), FILE_ATTRIBUTE_READONLY));
    const FILETIME before = LastWrite(kvi);
    Loaded in, reference;
    ASSERT_TRUE(in.Read(kvi));
    EXPECT_EQ(in.FormatId, KelvoFormatKVI);
    ASSERT_TRUE(reference.Read(jpeg));
    EXPECT_EQ(MaxDifference(in.Working.GetPixels(), reference.Working.GetPixels()), 0);
    const FILETIME after = LastWrite(kvi);
    EXPECT_EQ(FileBytes(kvi), stored);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    ::SetFileAttributesA(kvi.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(GraphicsFiles, FilesGdiPlusCannotReadFailCleanlyAndStayUntouched) {
    testsupport::TempDir dir;
    std::vector<Byte> garbage(300);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = Byte(i * 37 + 11);
    // A KVI header in front of garbage: recognised as KVI, then refused by the decoder.
    std::vector<Byte> badKvi = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1};
    ComplementKVIHeader(badKvi.data());
    badKvi.insert(badKvi.end(), garbage.begin(), garbage.end());
    const std::vector<std::pair<std::string, std::vector<Byte>>> files = {
        {"garbage.jpg", garbage}, {"empty.png", {}}, {"bad.kvi", badKvi}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        WriteBytes(path, bytes);
        Loaded in;
        EXPECT_FALSE(in.Read(path));
        EXPECT_EQ(FileBytes(path), bytes);
        EXPECT_EQ(ReadGraphicsFileInfo(Wide(path), nullptr), u"");
    }
    Loaded missing;
    EXPECT_FALSE(missing.Read(dir.File("none.tif")));
}

TEST(GraphicsFiles, AnImageTooLargeForMemoryIsRefusedBeforeItsPixelsAreAllocated) {
    testsupport::TempDir dir;
    const std::string path = dir.File("huge.png");
    // GDI+ holds it in 45 MB (1 bit a pixel); as 24-bit pixels it would need 1.08 GB for each of the
    // document's three copies.
    WriteBytes(path, MakeBlackPng(19000));
    EXPECT_EQ(ReadGraphicsFileInfo(Wide(path), nullptr), u"Type: PNG\nSize: 19000 x 19000");
    Loaded in;
    ASSERT_TRUE(in.Working.SetSize(2, 2, KelvoFormatBGR24));
    EXPECT_FALSE(in.Read(path));
    EXPECT_EQ(in.Working.GetWidth(), 2);  // the size was refused before anything was made
}

TEST(GraphicsFiles, AnImageTooLargeToHoldIsRefusedFromItsHeaderBeforeDecoding) {
    testsupport::TempDir dir;
    const std::string path = dir.File("huge.bmp");
    // 30000 x 30000 in 24 bits: 2.7 GB that the decoder would spend seconds on before it failed.
    std::vector<Byte> bmp(54 + 4096);
    const auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = Byte(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, std::uint32_t(bmp.size()));
    put(10, 54);
    put(14, 40);
    put(18, 30000);
    put(22, 30000);
    bmp[26] = 1;
    bmp[28] = 24;
    WriteBytes(path, bmp);
    Loaded in;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(in.Read(path));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(1));
    EXPECT_EQ(in.Working.GetWidth(), 0);
    EXPECT_EQ(FileBytes(path), bmp);
}

TEST(GraphicsFormats, FilterStringsAndEntryCounts) {
    TKelvoGraphicsFormats formats;
    EXPECT_EQ(formats.GetFormats().size(), 5u);
    const TKelvoFileFormatArray open = formats.GetOpenFormats();
    ASSERT_EQ(open.size(), 7u);
    EXPECT_EQ(BuildFilterString(formats.GetFormats()),
              u"JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|TIFF (*.tif;*.tiff)|*.tif;*.tiff|PNG (*.png)|*.png|"
              u"BMP (*.bmp;*.rle;*.dib)|*.bmp;*.rle;*.dib|KVI (*.kvi)|*.kvi");
    EXPECT_EQ(BuildFilterString({open[5], open[6]}),
              u"All supported formats (*.jpg;*.jpeg;*.tif;*.tiff;*.png;*.bmp;*.rle;*.dib;*.kvi)|"
              u"*.jpg;*.jpeg;*.tif;*.tiff;*.png;*.bmp;*.rle;*.dib;*.kvi|All files (*.*)|*.*");
    EXPECT_EQ(formats.IndexOfId(KelvoFormatKVI), 4);
    EXPECT_EQ(formats.JpegQuality(), 80);
    formats.SetJpegQuality(150);
    EXPECT_EQ(formats.JpegQuality(), 100);
}

TEST(GraphicsFormats, FileInformationOfATiffWithMakeAndModel) {
    testsupport::TempDir dir;
    const std::string path = dir.File("camera.tif");
    WriteBytes(path, MakeTiff(3, 2, 6, "Maker", "Model 1"));
    TKelvoGraphicsFormats formats;
    std::unique_ptr<TKelvoFileInfo> info = formats.GetFileInfo(Wide(path));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->GetDescription(), u"Type: TIFF\nSize: 3 x 2\nOrientation: 90\u00B0\nCamera: Maker Model 1");
    EXPECT_EQ(formats.GetFileInfo(Wide(dir.File("none.tif"))), nullptr);
}

TEST(GraphicsFormats, ThumbnailIsFittedTurnedAndCentred) {
    testsupport::TempDir dir;
    const std::string path = dir.File("wide.tif");
    WriteBytes(path, MakeTiff(24, 12, 6, "M", "N"));  // stands 12 wide and 24 high
    TKelvoGraphicsFormats formats;
    std::unique_ptr<TKelvoThumbnail> thumbnail = formats.GetThumbnail(Wide(path), 16, 16);
    ASSERT_NE(thumbnail, nullptr);
    auto* graphics = dynamic_cast<TKelvoGraphicsThumbnail*>(thumbnail.get());
    ASSERT_NE(graphics, nullptr);
    EXPECT_EQ(graphics->Width(), 8);
    EXPECT_EQ(graphics->Height(), 16);

    graphicstest::Surface surface(20, 20);
    TKelvoRect drawn;
    thumbnail->Draw(surface.Dc(), TKelvoRect{0, 0, 20, 20}, drawn);
    EXPECT_EQ(drawn, (TKelvoRect{6, 2, 14, 18}));
    EXPECT_EQ(formats.GetThumbnail(Wide(dir.File("none.png")), 16, 16), nullptr);
}

TEST(GdiPlusShares, StartOnFirstUseAndEndWithTheLastUser) {
    const std::int32_t before = TKelvoGdiPlusUser::SharesInUse();
    testsupport::TempDir dir;
    const std::string path = dir.File("s.tif");
    WriteBytes(path, MakeTiff(4, 4, 1, "M", "N"));
    {
        TKelvoGraphicsFormats formats;
        formats.GetOpenFormats();
        EXPECT_EQ(TKelvoGdiPlusUser::SharesInUse(), before);  // nothing used GDI+ yet
        std::unique_ptr<TKelvoThumbnail> thumbnail = formats.GetThumbnail(Wide(path), 4, 4);
        ASSERT_NE(thumbnail, nullptr);
        EXPECT_EQ(TKelvoGdiPlusUser::SharesInUse(), before + 2);  // the table's and the thumbnail's
        thumbnail.reset();
        EXPECT_EQ(TKelvoGdiPlusUser::SharesInUse(), before + 1);
    }
    EXPECT_EQ(TKelvoGdiPlusUser::SharesInUse(), before);
    Loaded in;
    ASSERT_TRUE(in.Read(path));  // a read on its own starts and ends GDI+ for itself
    EXPECT_EQ(TKelvoGdiPlusUser::SharesInUse(), before);
}
