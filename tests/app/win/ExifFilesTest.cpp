// Camera photos with real EXIF blocks, made here, through the program's load and save: where GDI+ gives no
// property items (Wine) the program's own reader and writer must make them behave as on Windows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/core/KelvoExifRead.h"
#include "app/core/KelvoPixelOps.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsFormats.h"
#include "support/ScreenPicture.h"
#include "support/TestSupport.h"
#include "tests/app/win/LoadedImage.h"
#include "tests/app/support/ExifBuilder.h"

namespace {

using pixeltest::Loaded;
using testsupport::FileBytes;
using testsupport::Wide;
using testsupport::WriteBytes;

const std::vector<Byte> Thumbnail = {0xFF, 0xD8, 0xFF, 0xDB, 0, 3, 9, 0xFF, 0xD9};

// 32 x 16 pixels as stored: the top half red, the bottom half blue.
void PaintStored(TKelvoPixelBuffer& pixels) {
    pixels.SetFormatAndBounds(KelvoFormatBGR24, TKelvoRect{0, 0, 32, 16});
    for (std::int32_t y = 0; y < 16; ++y)
        for (std::int32_t x = 0; x < 32; ++x) MakeBGR(pixels.PixelAddress(x, y), y < 8 ? 255 : 0, 0, y < 8 ? 0 : 255);
}

// A camera's JPEG: the stored pixels saved by GDI+, the camera's APP1 segment put in behind its JFIF.
void WriteCameraJpeg(const std::string& path, std::uint16_t orientation, bool little) {
    TKelvoProperties none;
    TKelvoPixelBuffer stored;
    PaintStored(stored);
    ASSERT_TRUE(WriteGraphicsFile(Wide(path), KelvoFormatJPEG, stored, TKelvoRect{}, none, TKelvoResolution{}, 95));
    const std::vector<Byte> block = exiftest::CameraBlock(little, orientation, "Canon", "EOS 5", 15, 1, Thumbnail);
    WriteBytes(path, exiftest::WithSegment(FileBytes(path), exiftest::ExifSegment(block)));
}

// A big-endian TIFF of the stored pixels whose focal length is in its EXIF sub-IFD.
std::vector<Byte> CameraTiff(std::uint16_t orientation) {
    TKelvoPixelBuffer stored;
    PaintStored(stored);
    std::vector<Byte> rgb;
    for (std::int32_t y = 0; y < 16; ++y)
        for (std::int32_t x = 0; x < 32; ++x) {
            const Byte* p = stored.PixelAddress(x, y);
            rgb.insert(rgb.end(), {p[2], p[1], p[0]});
        }
    exiftest::Block b(false);
    const int ifd0 = b.Directory(), exif = b.Directory();
    b.Numbers(ifd0, 256, 3, {32});
    b.Numbers(ifd0, 257, 3, {16});
    b.Numbers(ifd0, 258, 3, {8, 8, 8});
    b.Numbers(ifd0, 259, 3, {1});
    b.Numbers(ifd0, 262, 3, {2});
    b.Text(ifd0, 271, "Olympus");
    b.Text(ifd0, 272, "E-M5");
    b.PointToBlob(ifd0, 273);
    b.Numbers(ifd0, 274, 3, {orientation});
    b.Numbers(ifd0, 277, 3, {3});
    b.Numbers(ifd0, 278, 3, {16});
    b.Numbers(ifd0, 279, 4, {std::uint32_t(rgb.size())});
    b.Numbers(ifd0, 284, 3, {1});
    b.Text(ifd0, 306, "2023:01:02 03:04:05");
    b.PointTo(ifd0, 0x8769, exif);
    b.Numbers(exif, 0x920A, 5, {120, 10});
    b.Blob(rgb);
    return b.Bytes();
}

bool IsRed(const TKelvoPixels& p, std::int32_t x, std::int32_t y) {
    const Byte* q = p.PixelAddress(x, y);
    return q[2] > 200 && q[1] < 60 && q[0] < 60;
}
bool IsBlue(const TKelvoPixels& p, std::int32_t x, std::int32_t y) {
    const Byte* q = p.PixelAddress(x, y);
    return q[0] > 200 && q[1] < 60 && q[2] < 60;
}

std::vector<Byte> Item(const TKelvoCustomProperties& p, std::int32_t id) {
    const TKelvoPropertyItem* item = nullptr;
    return p.FindItem(id, item) ? item->Data : std::vector<Byte>{0xEE};
}

std::vector<Byte> Text(const char* s) { return std::vector<Byte>(s, s + std::strlen(s) + 1); }

// What a saved file must carry of the camera: make, model, date, focal length, the maker note, the
// orientation upright, and no thumbnail.
void ExpectCameraKept(const TKelvoCustomProperties& p, const char* make, const char* model, const char* date,
                      std::uint32_t focalNumerator, std::uint32_t focalDenominator) {
    EXPECT_EQ(Item(p, 271), Text(make));
    EXPECT_EQ(Item(p, 272), Text(model));
    EXPECT_EQ(Item(p, 306), Text(date));
    EXPECT_EQ(Item(p, TagFocalLength),
              (std::vector<Byte>{Byte(focalNumerator), 0, 0, 0, Byte(focalDenominator), 0, 0, 0}));
    EXPECT_EQ(Item(p, 274), (std::vector<Byte>{1, 0}));
    for (std::int32_t i = 0; i < p.GetCount(); ++i) EXPECT_FALSE(IsThumbnailTag(p.GetItem(i).Id)) << p.GetItem(i).Id;
    EXPECT_FALSE(p.Exists(0x0201));
}

}  // namespace

TEST(ExifFiles, CameraJpegsOpenUprightWithTheirPropertiesInBothByteOrders) {
    testsupport::TempDir dir;
    const std::string path = dir.File("camera.jpg");
    struct Case {
        std::uint16_t Orientation;
        bool Little;
        std::int32_t Width, Height;
        std::int32_t RedX, RedY, BlueX, BlueY;
    };
    const Case cases[] = {
        {6, false, 16, 32, 12, 16, 3, 16},  // clockwise: the stored top is on the right
        {8, true, 16, 32, 3, 16, 12, 16},   // counter-clockwise: on the left
        {3, false, 32, 16, 16, 12, 16, 3},  // half round: at the bottom
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Orientation);
        WriteCameraJpeg(path, c.Orientation, c.Little);
        Loaded in;
        ASSERT_TRUE(in.Read(path));
        EXPECT_EQ(in.FormatId, KelvoFormatJPEG);
        ASSERT_EQ(in.Working.GetBounds(), (TKelvoRect{0, 0, c.Width, c.Height}));
        EXPECT_TRUE(IsRed(in.Working.GetPixels(), c.RedX, c.RedY));
        EXPECT_TRUE(IsBlue(in.Working.GetPixels(), c.BlueX, c.BlueY));
        EXPECT_EQ(Item(in.Properties, 274), (std::vector<Byte>{1, 0}));
        EXPECT_EQ(Item(in.Properties, 271), Text("Canon"));
        EXPECT_EQ(Item(in.Properties, TagFocalLength), (std::vector<Byte>{15, 0, 0, 0, 1, 0, 0, 0}));
        EXPECT_EQ(Item(in.Properties, TagThumbnailData), Thumbnail);
    }
}

TEST(ExifFiles, SavedJpegKviAndTiffKeepTheCameraButNotTheThumbnail) {
    testsupport::TempDir dir;
    WriteCameraJpeg(dir.File("camera.jpg"), 6, false);
    Loaded photo;
    ASSERT_TRUE(photo.Read(dir.File("camera.jpg")));
    const char* names[] = {"saved.jpg", "saved.tif", "saved.kvi"};
    const std::int32_t ids[] = {KelvoFormatJPEG, KelvoFormatTIFF, KelvoFormatKVI};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        const std::string path = dir.File(names[i]);
        ASSERT_TRUE(WriteGraphicsFile(Wide(path), ids[i], photo.Working.GetPixels(), TKelvoRect{}, photo.Properties,
                                      photo.Resolution, 90));
        // The bytes on disk, read without GDI+.
        std::vector<Byte> bytes = FileBytes(path);
        TKelvoProperties onDisk;
        if (ids[i] == KelvoFormatTIFF) {
            ReadTiffMetadata(TKelvoMemoryTiffSource(bytes.data(), bytes.size()), false, onDisk);
        } else {
            EXPECT_EQ(RestoreKVIHeader(bytes.data(), bytes.size()), ids[i] == KelvoFormatKVI);
            ReadJpegMetadata(bytes.data(), bytes.size(), onDisk);
            EXPECT_EQ(Item(onDisk, TagMakerNote), std::vector<Byte>(40, 'N'));
        }
        ExpectCameraKept(onDisk, "Canon", "EOS 5", "2024:05:17 10:20:30", 15, 1);

        // Opened again it is upright already, with the same camera.
        Loaded again;
        ASSERT_TRUE(again.Read(path));
        EXPECT_EQ(again.FormatId, ids[i]);
        ASSERT_EQ(again.Working.GetBounds(), (TKelvoRect{0, 0, 16, 32}));
        EXPECT_TRUE(IsRed(again.Working.GetPixels(), 12, 16));
        ExpectCameraKept(again.Properties, "Canon", "EOS 5", "2024:05:17 10:20:30", 15, 1);
    }
    // For a reader of outside make (scripts/check-exif runs exiftool on them).
    EXPECT_TRUE(::CopyFileA(dir.File("saved.jpg").c_str(), testsupport::ArtifactPath("exif-saved.jpg").c_str(), FALSE));
    EXPECT_TRUE(::CopyFileA(dir.File("saved.tif").c_str(), testsupport::ArtifactPath("exif-saved.tif").c_str(), FALSE));
}

TEST(ExifFiles, ATiffsExifSubIfdIsReadAndItsSavedCopyKeepsIt) {
    testsupport::TempDir dir;
    const std::string path = dir.File("camera.tif");
    WriteBytes(path, CameraTiff(6));
    Loaded in;
    ASSERT_TRUE(in.Read(path));
    ASSERT_EQ(in.Working.GetBounds(), (TKelvoRect{0, 0, 16, 32}));
    EXPECT_TRUE(IsRed(in.Working.GetPixels(), 12, 16));
    EXPECT_EQ(Item(in.Properties, TagFocalLength), (std::vector<Byte>{120, 0, 0, 0, 10, 0, 0, 0}));
    EXPECT_EQ(Item(in.Properties, 272), Text("E-M5"));

    const std::string saved = dir.File("saved.tif");
    ASSERT_TRUE(WriteGraphicsFile(Wide(saved), KelvoFormatTIFF, in.Working.GetPixels(), TKelvoRect{}, in.Properties,
                                  in.Resolution, 80));
    Loaded again;
    ASSERT_TRUE(again.Read(saved));
    ASSERT_EQ(again.Working.GetBounds(), (TKelvoRect{0, 0, 16, 32}));
    ExpectCameraKept(again.Properties, "Olympus", "E-M5", "2023:01:02 03:04:05", 120, 10);
}

TEST(ExifFiles, TheOpenDialogDescribesAndTurnsACameraJpeg) {
    testsupport::TempDir dir;
    const std::string path = dir.File("camera.jpg");
    WriteCameraJpeg(path, 6, true);
    TKelvoGraphicsFormats formats;
    std::unique_ptr<TKelvoFileInfo> info = formats.GetFileInfo(Wide(path));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->GetDescription(),
              u"Type: JPEG\nSize: 32 x 16\nDate: 2024:05:17 10:20:30\nOrientation: "
              u"90\u00B0\nCamera: Canon EOS 5");
    // The preview stands upright: 8 wide, 16 high in a 16 x 16 box.
    std::unique_ptr<TKelvoThumbnail> thumbnail = formats.GetThumbnail(Wide(path), 16, 16);
    const auto* graphics = dynamic_cast<TKelvoGraphicsThumbnail*>(thumbnail.get());
    ASSERT_NE(graphics, nullptr);
    EXPECT_EQ(std::make_pair(graphics->Width(), graphics->Height()), std::make_pair(8, 16));
}

TEST(ExifFiles, ADamagedExifBlockIsIgnoredAndThePhotoOpens) {
    testsupport::TempDir dir;
    const std::string path = dir.File("damaged.jpg");
    TKelvoProperties none;
    TKelvoPixelBuffer stored;
    PaintStored(stored);
    ASSERT_TRUE(WriteGraphicsFile(Wide(path), KelvoFormatJPEG, stored, TKelvoRect{}, none, TKelvoResolution{}, 95));
    // IFD0 at offset 8 claims 0xFFFF entries, its EXIF pointer leads back to it.
    const std::vector<Byte> block = {'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xFF, 0x69, 0x87, 4, 0, 1, 0, 0, 0, 8, 0, 0, 0};
    WriteBytes(path, exiftest::WithSegment(FileBytes(path), exiftest::ExifSegment(block)));
    Loaded in;
    ASSERT_TRUE(in.Read(path));
    EXPECT_EQ(in.Working.GetBounds(), (TKelvoRect{0, 0, 32, 16}));
    EXPECT_FALSE(in.Properties.Exists(TagExifPointer));
}
