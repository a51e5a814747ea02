#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/core/KelvoExifRead.h"
#include "app/core/KelvoExifWrite.h"
#include "app/core/KelvoGraphicsRules.h"
#include "tests/app/support/ExifBuilder.h"

namespace {

std::vector<Byte> ItemBytes(const TKelvoCustomProperties& p, std::int32_t id, std::int32_t type) {
    const TKelvoPropertyItem* item = nullptr;
    if (!p.FindItem(id, item) || item->Type != type) return {0xEE};  // absent or of another type
    return item->Data;
}

std::vector<Byte> Bytes(const std::string& s) { return std::vector<Byte>(s.begin(), s.end()); }

const std::vector<Byte> Thumbnail = {0xFF, 0xD8, 0xFF, 0xDB, 1, 2, 3, 0xFF, 0xD9};

std::int32_t ReadBlock(const std::vector<Byte>& tiff, TKelvoCustomProperties& into, bool thumbnail = true) {
    return ReadTiffMetadata(TKelvoMemoryTiffSource(tiff.data(), tiff.size()), thumbnail, into);
}

// SOI, a JFIF APP0 of the density, an APP1 of the block, a quantisation table and the start of a scan.
std::vector<Byte> Jpeg(const std::vector<Byte>& tiff, Byte unit, std::uint16_t density) {
    std::vector<Byte> out = {0xFF,
                             0xD8,
                             0xFF,
                             0xE0,
                             0,
                             16,
                             'J',
                             'F',
                             'I',
                             'F',
                             0,
                             1,
                             2,
                             unit,
                             Byte(density >> 8),
                             Byte(density),
                             Byte(density >> 8),
                             Byte(density),
                             0,
                             0};
    if (!tiff.empty()) {
        const std::vector<Byte> app1 = exiftest::ExifSegment(tiff);
        out.insert(out.end(), app1.begin(), app1.end());
    }
    out.insert(out.end(), {0xFF, 0xDB, 0, 4, 0, 0, 0xFF, 0xDA, 0, 2, 0xFF, 0xD9});
    return out;
}

}  // namespace

TEST(ExifRead, BothByteOrdersGiveGdiPlusItemsInLittleEndian) {
    for (bool little : {false, true}) {
        SCOPED_TRACE(little ? "II" : "MM");
        TKelvoProperties p;
        const std::vector<Byte> block = exiftest::CameraBlock(little, 6, "Canon", "EOS 5", 35, 2, Thumbnail);
        // IFD0: 9 entries, EXIF 4, GPS 1, IFD1 3, and the thumbnail's bytes.
        EXPECT_EQ(ReadBlock(block, p), 9 + 4 + 1 + 3 + 1);
        EXPECT_EQ(ItemBytes(p, 271, 2), Bytes(std::string("Canon", 6)));
        EXPECT_EQ(ItemBytes(p, 272, 2), Bytes(std::string("EOS 5", 6)));
        EXPECT_EQ(ItemBytes(p, 274, 3), (std::vector<Byte>{6, 0}));
        EXPECT_EQ(ItemBytes(p, 296, 3), (std::vector<Byte>{2, 0}));
        EXPECT_EQ(ItemBytes(p, 306, 2), Bytes(std::string("2024:05:17 10:20:30", 20)));
        EXPECT_EQ(ItemBytes(p, 0x829A, 5), (std::vector<Byte>{1, 0, 0, 0, 250, 0, 0, 0}));
        EXPECT_EQ(ItemBytes(p, 0x920A, 5), (std::vector<Byte>{35, 0, 0, 0, 2, 0, 0, 0}));
        EXPECT_EQ(ItemBytes(p, 0x927C, 7), Bytes(std::string(40, 'N')));
        EXPECT_EQ(ItemBytes(p, 0x0000, 1), (std::vector<Byte>{2, 3, 0, 0}));
        // The thumbnail directory under GDI+'s ids, its JPEG stream as 0x501B.
        EXPECT_EQ(ItemBytes(p, 0x5023, 3), (std::vector<Byte>{6, 0}));
        EXPECT_EQ(ItemBytes(p, 0x0202, 4), (std::vector<Byte>{9, 0, 0, 0}));
        EXPECT_EQ(ItemBytes(p, TagThumbnailData, 1), Thumbnail);
        EXPECT_FALSE(p.Exists(259));  // IFD1's compression is no IFD0 item
        // The pointers are items too, as GDI+ lists them.
        EXPECT_TRUE(p.Exists(TagExifPointer));
        EXPECT_TRUE(p.Exists(TagGpsPointer));

        // A TIFF file's second directory is a page, not a thumbnail.
        TKelvoProperties page;
        ReadBlock(block, page, false);
        EXPECT_FALSE(page.Exists(0x5023));
        EXPECT_TRUE(page.Exists(0x920A));
    }
}

TEST(ExifRead, ItemsTheDecoderGaveAreKeptAndNotReadAgain) {
    TKelvoProperties p;
    p.SetValue(271, 2, 4, "GDI");
    EXPECT_EQ(ReadBlock(exiftest::CameraBlock(true, 1, "Canon", "X", 1, 1, Thumbnail), p), 17);
    EXPECT_EQ(ItemBytes(p, 271, 2), Bytes(std::string("GDI", 4)));
}

TEST(ExifRead, LoopsSharedDirectoriesAndEntriesOutsideTheBlockAreRefused) {
    exiftest::Block b(false);
    const int ifd0 = b.Directory(), exif = b.Directory();
    b.Text(ifd0, 271, "Maker");
    b.PointTo(ifd0, TagExifPointer, exif);
    b.PointTo(ifd0, TagGpsPointer, exif);  // the EXIF directory once more
    b.Numbers(ifd0, 0x0131, 4, {0xFFFF0000u, 0});
    b.PointTo(exif, 0x9999, ifd0);
    b.Numbers(exif, 0x920A, 5, {50, 1});
    b.Next(ifd0, ifd0);  // IFD1 would be IFD0 again
    std::vector<Byte> block = b.Bytes();
    // The two-LONG software entry points far past the end.
    const std::size_t software = b.OffsetOf(ifd0) + 2 + 3 * 12 + 8;
    block[software] = 0x7F;
    TKelvoProperties p;
    ReadBlock(block, p);
    EXPECT_TRUE(p.Exists(271));
    EXPECT_FALSE(p.Exists(0x0131));
    EXPECT_EQ(ItemBytes(p, 0x920A, 5), (std::vector<Byte>{50, 0, 0, 0, 1, 0, 0, 0}));

    // A directory that claims more entries than the bound is not read; nor is a block cut short.
    std::vector<Byte> huge = exiftest::CameraBlock(true, 1, "Canon", "X", 1, 1, Thumbnail);
    huge[8] = Byte(ExifMaxDirectoryEntries + 1), huge[9] = Byte((ExifMaxDirectoryEntries + 1) >> 8);
    TKelvoProperties none;
    EXPECT_EQ(ReadBlock(huge, none), 0);
    const std::vector<Byte> whole = exiftest::CameraBlock(true, 1, "Canon", "X", 1, 1, Thumbnail);
    for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
        TKelvoProperties part;
        ReadBlock(std::vector<Byte>(whole.begin(), whole.begin() + std::ptrdiff_t(cut)), part);
        EXPECT_LE(part.GetCount(), 18);
    }
}

TEST(ExifRead, JpegSegmentsAndTheResolutionTheFileStates) {
    const std::vector<Byte> block = exiftest::CameraBlock(false, 8, "Nokia", "N8", 59, 10, Thumbnail);
    std::vector<Byte> jpeg = Jpeg(block, 1, 300);
    TKelvoJpegMetadata found;
    ASSERT_TRUE(LocateJpegMetadata(jpeg.data(), jpeg.size(), found));
    EXPECT_EQ(found.InsertOffset, 20u);
    EXPECT_EQ(found.ExifSegmentOffset, 20u);
    EXPECT_EQ(found.ExifSegmentSize, block.size() + 10);
    EXPECT_EQ(found.TiffOffset, 30u);
    EXPECT_EQ(found.TiffSize, block.size());
    TKelvoProperties p;
    EXPECT_EQ(ReadJpegMetadata(jpeg.data(), jpeg.size(), p), 18);
    EXPECT_EQ(ItemBytes(p, 274, 3), (std::vector<Byte>{8, 0}));

    double x = 0, y = 0;
    ASSERT_TRUE(StatedResolution(&found, p, x, y));
    EXPECT_EQ(x, 300);
    // Dots per centimetre become per inch; a density without a unit leaves it to EXIF's 180 per inch.
    jpeg[13] = 2;
    ASSERT_TRUE(LocateJpegMetadata(jpeg.data(), jpeg.size(), found));
    ASSERT_TRUE(StatedResolution(&found, p, x, y));
    EXPECT_DOUBLE_EQ(y, 762);
    jpeg[13] = 0;
    ASSERT_TRUE(LocateJpegMetadata(jpeg.data(), jpeg.size(), found));
    ASSERT_TRUE(StatedResolution(&found, p, x, y));
    EXPECT_EQ(x, 180);
    TKelvoProperties none;
    EXPECT_FALSE(StatedResolution(&found, none, x, y));

    // A segment whose length runs past the bytes ends the walk: nothing is read from it.
    std::vector<Byte> cut(jpeg.begin(), jpeg.begin() + 40);
    TKelvoProperties q;
    EXPECT_EQ(ReadJpegMetadata(cut.data(), cut.size(), q), 0);
    EXPECT_FALSE(LocateJpegMetadata(jpeg.data() + 1, jpeg.size() - 1, found));
}

TEST(ExifWrite, TheBlockHasExactlyTheWrittenItemsInOrder) {
    TKelvoProperties p;
    const std::uint32_t focal[2] = {35, 1};
    p.SetValue(0x920A, 5, 8, focal);
    p.SetValue(271, 2, 3, "Ab");
    const Byte six[2] = {6, 0};
    p.SetValue(274, 3, 2, six);
    p.SetValue(0x5013, 3, 2, six);            // thumbnail width
    p.SetValue(256, 3, 2, six);               // the image's width: the encoder's
    p.SetValue(TagExifPointer, 4, 4, focal);  // a stale pointer
    const std::vector<Byte> expected = {
        'I',  'I',  42, 0, 8,  0, 0, 0,                  // header
        3,    0,                                         // IFD0 at 8
        0x0F, 0x01, 2,  0, 3,  0, 0, 0, 'A', 'b', 0, 0,  // make
        0x12, 0x01, 3,  0, 1,  0, 0, 0, 1,   0,   0, 0,  // orientation, upright
        0x69, 0x87, 4,  0, 1,  0, 0, 0, 50,  0,   0, 0,  // EXIF sub-IFD at 50
        0,    0,    0,  0,                               // no IFD1
        1,    0,                                         // EXIF sub-IFD
        0x0A, 0x92, 5,  0, 1,  0, 0, 0, 68,  0,   0, 0,  // focal length at 68
        0,    0,    0,  0, 35, 0, 0, 0, 1,   0,   0, 0,
    };
    EXPECT_EQ(BuildExifTiff(p, ExifMaxSegmentPayload), expected);
}

TEST(ExifWrite, ABlockTooLargeForItsSegmentLeavesOutTheMakerNoteThenTheLargestItem) {
    TKelvoProperties p;
    p.SetValue(271, 2, 6, "Canon");
    p.SetValue(TagMakerNote, 7, 30000, std::string(30000, 'M').data());
    p.SetValue(0x9286, 7, 50000, std::string(50000, 'U').data());  // user comment
    p.SetValue(0x010E, 2, 20000, std::string(20000, 'D').data());  // description
    TKelvoProperties back;
    const std::vector<Byte> block = BuildExifTiff(p, ExifMaxSegmentPayload - 6);
    ASSERT_LE(block.size(), ExifMaxSegmentPayload - 6);
    ReadBlock(block, back);
    EXPECT_TRUE(back.Exists(271));
    EXPECT_TRUE(back.Exists(0x010E));
    EXPECT_FALSE(back.Exists(TagMakerNote));
    EXPECT_FALSE(back.Exists(0x9286));
}

TEST(ExifWrite, AJpegGetsItsSegmentBehindTheJfifOnlyWhenItCarriesNoneOfTheItems) {
    TKelvoProperties camera;
    const std::vector<Byte> block = exiftest::CameraBlock(false, 6, "Sony", "A7", 50, 1, Thumbnail);
    ReadBlock(block, camera);
    const std::vector<Byte> plain = Jpeg({}, 1, 72);
    TKelvoFileSplice splice;
    ASSERT_TRUE(PlanJpegExif(plain.data(), plain.size(), camera, splice));
    EXPECT_EQ(splice.Head, 20u);
    EXPECT_EQ(splice.Skip, 0u);
    const std::vector<Byte> saved = ApplySplice(plain.data(), plain.size(), splice);
    TKelvoProperties back;
    ReadJpegMetadata(saved.data(), saved.size(), back);
    EXPECT_EQ(ItemBytes(back, 271, 2), Bytes(std::string("Sony", 5)));
    EXPECT_EQ(ItemBytes(back, 274, 3), (std::vector<Byte>{1, 0}));
    EXPECT_EQ(ItemBytes(back, 0x920A, 5), (std::vector<Byte>{50, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(ItemBytes(back, 0x927C, 7), Bytes(std::string(40, 'N')));
    EXPECT_EQ(ItemBytes(back, 0x0000, 1), (std::vector<Byte>{2, 3, 0, 0}));
    for (std::int32_t i = 0; i < back.GetCount(); ++i) EXPECT_FALSE(IsThumbnailTag(back.GetItem(i).Id));
    EXPECT_FALSE(back.Exists(0x0201));
    // The tail of the file follows unchanged.
    EXPECT_TRUE(std::equal(plain.begin() + 20, plain.end(), saved.end() - std::ptrdiff_t(plain.size() - 20)));

    // What the encoder wrote itself stays; a segment of its own that carries none of the items gives way.
    EXPECT_FALSE(PlanJpegExif(saved.data(), saved.size(), camera, splice));
    exiftest::Block onlyResolution(true);
    onlyResolution.Numbers(onlyResolution.Directory(), 282, 5, {96, 1});
    const std::vector<Byte> encoders = Jpeg(onlyResolution.Bytes(), 1, 72);
    ASSERT_TRUE(PlanJpegExif(encoders.data(), encoders.size(), camera, splice));
    EXPECT_EQ(splice.Head, 20u);
    EXPECT_EQ(splice.Skip, encoders.size() - plain.size());
    TKelvoProperties none;
    EXPECT_FALSE(PlanJpegExif(plain.data(), plain.size(), none, splice));
}

TEST(ExifWrite, ATiffKeepsItsOwnEntriesAndByteOrderAndGainsTheItems) {
    TKelvoProperties camera;
    ReadBlock(exiftest::CameraBlock(true, 3, "Olympus", "E-M5", 12, 1, Thumbnail), camera, false);
    for (bool little : {false, true}) {
        SCOPED_TRACE(little ? "II" : "MM");
        // What an encoder writes: a 1 x 1 image with its resolution, and a next page.
        exiftest::Block b(little);
        const int ifd0 = b.Directory(), page = b.Directory();
        b.Numbers(ifd0, 256, 3, {1});
        b.Numbers(ifd0, 257, 3, {1});
        b.Numbers(ifd0, 282, 5, {72, 1});
        b.Numbers(page, 256, 3, {2});
        b.Next(ifd0, page);
        std::vector<Byte> file = b.Bytes();
        file.push_back(0x55);  // an odd length: the new directory starts on a word
        TKelvoFileSplice splice;
        ASSERT_TRUE(PlanTiffExif(TKelvoMemoryTiffSource(file.data(), file.size()), camera, splice));
        EXPECT_EQ(splice.Head, 4u);
        const std::vector<Byte> saved = ApplySplice(file.data(), file.size(), splice);
        EXPECT_EQ(saved[0], little ? 'I' : 'M');

        TKelvoProperties back;
        ReadBlock(saved, back, false);
        EXPECT_EQ(ItemBytes(back, 256, 3), (std::vector<Byte>{1, 0}));
        EXPECT_EQ(ItemBytes(back, 282, 5), (std::vector<Byte>{72, 0, 0, 0, 1, 0, 0, 0}));
        EXPECT_EQ(ItemBytes(back, 272, 2), Bytes(std::string("E-M5", 5)));
        EXPECT_EQ(ItemBytes(back, 274, 3), (std::vector<Byte>{1, 0}));
        EXPECT_EQ(ItemBytes(back, 0x920A, 5), (std::vector<Byte>{12, 0, 0, 0, 1, 0, 0, 0}));
        EXPECT_EQ(ItemBytes(back, 0x0000, 1), (std::vector<Byte>{2, 3, 0, 0}));
        TKelvoTiffDirectory first;
        ASSERT_TRUE(ReadFirstTiffDirectory(TKelvoMemoryTiffSource(saved.data(), saved.size()), first));
        EXPECT_EQ(first.Next, b.OffsetOf(page));
        EXPECT_EQ(first.Offset % 2, 0u);
        EXPECT_FALSE(PlanTiffExif(TKelvoMemoryTiffSource(saved.data(), saved.size()), camera, splice));
    }
}
