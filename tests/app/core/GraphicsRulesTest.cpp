#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/core/KelvoGraphicsRules.h"

namespace {

// The first 20 bytes of a JFIF file: SOI, APP0 "JFIF".
std::vector<Byte> JfifStart() {
    return {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',
            0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
}

void SetShort(TKelvoCustomProperties& p, std::int32_t tag, std::uint16_t value) {
    const Byte bytes[2] = {Byte(value & 0xFF), Byte(value >> 8)};
    p.SetValue(tag, PropertyTypeShort, 2, bytes);
}

void SetAscii(TKelvoCustomProperties& p, std::int32_t tag, const char* text) {
    p.SetValue(tag, PropertyTypeASCII, std::uint32_t(std::strlen(text) + 1), text);
}

}  // namespace

TEST(KVIHeader, RestoreAndScrambleOnlyTouchValidHeadersOfLongEnoughFiles) {
    const std::vector<Byte> plain = JfifStart();
    std::vector<Byte> kvi = plain;
    ASSERT_TRUE(ScrambleKVIHeader(kvi.data(), kvi.size()));
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(kvi[i], Byte(plain[i] ^ 0xFF));
    EXPECT_EQ(kvi[16], plain[16]);                            // only the header
    EXPECT_FALSE(ScrambleKVIHeader(kvi.data(), kvi.size()));  // not plain any more

    ASSERT_TRUE(RestoreKVIHeader(kvi.data(), kvi.size()));
    EXPECT_EQ(kvi, plain);
    EXPECT_FALSE(RestoreKVIHeader(kvi.data(), kvi.size()));  // a plain JPEG is no KVI

    // 16 bytes are never taken for a KVI file, however they look.
    std::vector<Byte> shortFile(plain.begin(), plain.begin() + 16);
    ComplementKVIHeader(shortFile.data());
    const std::vector<Byte> before = shortFile;
    EXPECT_FALSE(RestoreKVIHeader(shortFile.data(), shortFile.size()));
    EXPECT_EQ(shortFile, before);
}

TEST(KVIHeader, ExifHeadersCountAndOtherBytesDoNot) {
    std::vector<Byte> exif = JfifStart();
    const Byte app1[] = {0xE1, 0x12, 0x34, 'E', 'x', 'i', 'f'};
    std::memcpy(exif.data() + 3, app1, sizeof app1);  // "if" at offsets 8 and 9
    EXPECT_TRUE(IsPlainJpegHeader(exif.data()));
    std::vector<Byte> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 'I', 'F', 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(IsPlainJpegHeader(png.data()));
    exif[9] = 'X';
    EXPECT_FALSE(IsPlainJpegHeader(exif.data()));
}

TEST(Orientation, DecidesTheTurnAndIsResetToNormal) {
    EXPECT_EQ(RotateFlipForOrientation(3), 2);
    EXPECT_EQ(RotateFlipForOrientation(6), 1);
    EXPECT_EQ(RotateFlipForOrientation(8), 3);
    for (std::uint16_t mirrored : {1, 2, 4, 5, 7, 9, 0x0106}) EXPECT_EQ(RotateFlipForOrientation(mirrored), 0);
    EXPECT_TRUE(OrientationSwapsSides(6));
    EXPECT_FALSE(OrientationSwapsSides(3));

    TKelvoProperties p;
    SetAscii(p, TagMake, "Maker");
    SetShort(p, TagOrientation, 6);
    std::uint16_t v = 0;
    ASSERT_TRUE(GetOrientation(p, v));
    EXPECT_EQ(v, 6);
    ASSERT_TRUE(SetOrientationNormal(p));
    ASSERT_TRUE(GetOrientation(p, v));
    EXPECT_EQ(v, 1);
    EXPECT_EQ(p.IndexOf(TagOrientation), 1);  // in its place
}

TEST(Orientation, AnItemOfTheWrongTypeOrSizeCountsAsAbsent) {
    TKelvoProperties p;
    std::uint16_t v = 99;
    p.SetValue(TagOrientation, PropertyTypeShort, 0, nullptr);
    EXPECT_FALSE(GetOrientation(p, v));
    const Byte one = 6;
    p.SetValue(TagOrientation, PropertyTypeShort, 1, &one);
    EXPECT_FALSE(GetOrientation(p, v));
    const std::uint32_t asLong = 6;
    p.SetValue(TagOrientation, 4, 4, &asLong);
    EXPECT_FALSE(GetOrientation(p, v));
    EXPECT_FALSE(SetOrientationNormal(p));
    EXPECT_EQ(v, 99);
}

TEST(ThumbnailTags, AreRemovedExceptTheTransferFunction) {
    TKelvoProperties p;
    const Byte b = 1;
    for (std::int32_t tag : {0x010F, 0x5011, 0x5012, 0x5019, 0x501A, 0x501B, 0x503B, 0x503C, 0x0112})
        p.SetValue(tag, 1, 1, &b);
    RemoveThumbnailTags(p);
    std::vector<std::int32_t> kept;
    for (std::int32_t i = 0; i < p.GetCount(); ++i) kept.push_back(p.GetItem(i).Id);
    EXPECT_EQ(kept, (std::vector<std::int32_t>{0x010F, 0x5011, 0x501A, 0x503C, 0x0112}));
}

TEST(PropertyItems, AreTakenOnlyWhenTheirValueLiesInsideTheBlock) {
    // Two records, then their values, as GDI+ lays out a block of items.
    struct Block {
        TKelvoRawPropertyItem Items[3];
        char Values[12];
    } block{};
    std::memcpy(block.Values, "Cam\0\x06\x00", 6);
    block.Items[0] = {TagMake, 4, PropertyTypeASCII, block.Values};
    block.Items[1] = {TagOrientation, 2, PropertyTypeShort, block.Values + 4};
    // Its value runs past the end of the block.
    block.Items[2] = {TagModel, 20, PropertyTypeASCII, block.Values + 4};

    TKelvoProperties p;
    EXPECT_EQ(ImportPropertyItems(reinterpret_cast<const Byte*>(&block), sizeof block, 3, p), 2);
    EXPECT_EQ(PropertyText(p, TagMake), u"Cam");
    std::uint16_t v = 0;
    ASSERT_TRUE(GetOrientation(p, v));
    EXPECT_EQ(v, 6);
    EXPECT_FALSE(p.Exists(TagModel));

    // More records than the block can hold: nothing is read.
    TKelvoProperties none;
    EXPECT_EQ(ImportPropertyItems(reinterpret_cast<const Byte*>(&block), sizeof(TKelvoRawPropertyItem), 2, none), 0);
    EXPECT_EQ(none.GetCount(), 0);
}

TEST(FileInfoText, ListsTypeSizeDateOrientationAndCamera) {
    TKelvoProperties p;
    SetAscii(p, TagDateTime, "2024:05:01 10:20:30");
    SetShort(p, TagOrientation, 8);
    SetAscii(p, TagMake, "Maker  ");
    SetAscii(p, TagModel, "X-1\tPro");
    const TKelvoImageFacts facts{RawFormatTIFF, 640, 480};
    EXPECT_EQ(GraphicsFileInfoText(facts, p, nullptr),
              u"Type: TIFF\nSize: 640 x 480\nDate: 2024:05:01 10:20:30\nOrientation: 270\u00B0\nCamera: Maker X-1 Pro");

    // No known type, a mirrored orientation and no camera: only the size.
    TKelvoProperties q;
    SetShort(q, TagOrientation, 2);
    SetAscii(q, TagMake, "   ");
    const TKelvoImageFacts gif{TGUID::Parse("{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}"), 3, 2};
    EXPECT_EQ(GraphicsFileInfoText(gif, q, nullptr), u"Size: 3 x 2");
}
