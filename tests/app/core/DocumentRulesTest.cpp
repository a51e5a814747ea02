#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/core/KelvoDocumentRules.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Paths.h"
#include "classlib/core/Stream.h"
#include "unicode/core/FileDialogText.h"

namespace {

using Names = std::vector<std::u16string>;

std::vector<Byte> WrittenNode(const Names& names) {
    TMemoryStream s;
    {
        TKelvoSDFWriter w(&s);
        SaveRecentFiles(w, names);
    }
    const Byte* p = static_cast<const Byte*>(s.Memory());
    return std::vector<Byte>(p, p + s.Size());
}

Names ReadNode(std::vector<Byte> bytes) {
    TCustomMemoryStream view;
    view.SetPointer(bytes.data(), std::int64_t(bytes.size()));
    TKelvoSDFReader r(&view);
    Names names;
    LoadRecentFiles(r, names);
    EXPECT_TRUE(r.AtRoot());
    return names;
}

}  // namespace

TEST(DocumentArea, TurnsAndMirrorsMoveTheAreaWithItsPixels) {
    // A 7 x 5 image, area columns 1..3, rows 2.
    const TKelvoRect area{1, 2, 4, 3};
    EXPECT_EQ(RotateAreaLeft(area, 7), (TKelvoRect{2, 3, 3, 6}));
    EXPECT_EQ(RotateAreaRight(area, 5), (TKelvoRect{2, 1, 3, 4}));
    // Mirrors swap the sides: left and right, top and bottom.
    EXPECT_EQ(FlipAreaHorizontal(area, 7), (TKelvoRect{3, 2, 6, 3}));
    EXPECT_EQ(FlipAreaVertical(TKelvoRect{1, 0, 4, 2}, 5), (TKelvoRect{1, 3, 4, 5}));
    // Left then right (the turned image is 5 wide, 7 high) gives the area back; so does a mirror twice.
    EXPECT_EQ(RotateAreaRight(RotateAreaLeft(area, 7), 7), area);
    EXPECT_EQ(FlipAreaHorizontal(FlipAreaHorizontal(area, 7), 7), area);
    // The whole image stays the whole image.
    EXPECT_TRUE(RotateAreaLeft(TKelvoRect{}, 7).IsEmpty());
    EXPECT_TRUE(FlipAreaVertical(TKelvoRect{}, 5).IsEmpty());
}

TEST(DocumentArea, ResizingScalesInwardsAndTheOriginalInProportion) {
    // 10 x 6 to 7 x 4: right 5 x 7 / 10 = 3.5 -> 3, bottom 3 x 4 / 6 = 2; left 3 x 7 / 10 = 2.1 -> 3.
    EXPECT_EQ(ScaleArea(TKelvoRect{0, 0, 5, 3}, 10, 6, 7, 4), (TKelvoRect{0, 0, 3, 2}));
    EXPECT_EQ(ScaleArea(TKelvoRect{3, 1, 10, 6}, 10, 6, 7, 4), (TKelvoRect{3, 1, 7, 4}));
    EXPECT_TRUE(ScaleArea(TKelvoRect{}, 10, 6, 7, 4).IsEmpty());

    std::int32_t w = 0, h = 0;
    ScaledOriginalSize(10, 6, 10, 6, 15, 9, w, h);  // the working size: the new size itself
    EXPECT_EQ(w, 15);
    EXPECT_EQ(h, 9);
    ScaledOriginalSize(20, 12, 10, 6, 15, 9, w, h);
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 18);
    ScaledOriginalSize(5, 7, 2, 2, 1, 1, w, h);  // 2.5 and 3.5: ties to even
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 4);
    ScaledOriginalSize(1, 1, 100, 100, 1, 1, w, h);  // never below 1
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);

    EXPECT_TRUE(NormalizeImageArea(TKelvoRect{-5, -5, 50, 50}, 10, 6).IsEmpty());
    EXPECT_TRUE(NormalizeImageArea(TKelvoRect{0, 0, 10, 6}, 10, 6).IsEmpty());
    EXPECT_EQ(NormalizeImageArea(TKelvoRect{-5, 2, 4, 50}, 10, 6), (TKelvoRect{0, 2, 4, 6}));
}

TEST(DocumentNames, SaveAsAppendsTheDefaultExtensionWhenTheTypedOneDiffers) {
    EXPECT_EQ(SaveAsFileName(u"C:\\p\\x.JPG", u".jpg"), u"C:\\p\\x.JPG");
    EXPECT_EQ(SaveAsFileName(u"C:\\p\\x.jpeg", u".jpg"), u"C:\\p\\x.jpeg.jpg");
    EXPECT_EQ(SaveAsFileName(u"C:\\p\\x", u".tif"), u"C:\\p\\x.tif");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(SaveAsFileName(u"C:\\v1.2\\x", u".png"), u"C:\\v1.2\\x.png");
    EXPECT_EQ(WithoutExtension(u"C:\\v1.2\\x.photo.jpg"), u"C:\\v1.2\\x.photo");
    EXPECT_EQ(WithoutExtension(u"C:\\v1.2\\x"), u"C:\\v1.2\\x");
    EXPECT_EQ(DocumentDisplayName(u"C:\\p/q\\x.jpg", u"Untitled"), u"x.jpg");
    EXPECT_EQ(DocumentDisplayName(u"", u"Untitled"), u"Untitled");
}

// Every layer splits a path with both separators the way the class library does: on Windows '/' is an
// ordinary character, natively it separates folders too.
TEST(DocumentNames, MixedSeparatorsSplitAsTheClassLibrarySplits) {
    const std::u16string path = u"C:\\my.dir/photo";
    const AnsiString narrow = "C:\\my.dir/photo";
#ifdef _WIN32
    EXPECT_EQ(ExtractFileExt(narrow), ".dir/photo");
    EXPECT_EQ(WithoutExtension(path), u"C:\\my");
    EXPECT_EQ(DocumentDisplayName(path, u""), u"my.dir/photo");
    EXPECT_EQ(uni::DialogDefaultExt(u"", path, false), u"dir/photo");
#else
    EXPECT_EQ(ExtractFileExt(narrow), "");
    EXPECT_EQ(WithoutExtension(path), path);
    EXPECT_EQ(DocumentDisplayName(path, u""), u"photo");
    EXPECT_EQ(uni::DialogDefaultExt(u"", path, false), u"");
#endif
    EXPECT_EQ(AnsiToWide(ExtractFileName(narrow)), DocumentDisplayName(path, u""));
    EXPECT_EQ(AnsiToWide(ChangeFileExt(narrow, "")), WithoutExtension(path));
}

TEST(RecentFiles, MoveToFrontCapAtFiveAndIgnoreCase) {
    Names list;
    for (const char16_t* n : {u"a", u"b", u"c", u"d", u"e"}) AddRecentFileName(list, n);
    EXPECT_EQ(list, (Names{u"e", u"d", u"c", u"b", u"a"}));
    AddRecentFileName(list, u"f");  // a sixth drops the oldest
    EXPECT_EQ(list, (Names{u"f", u"e", u"d", u"c", u"b"}));
    AddRecentFileName(list, u"C");  // a known one moves up, in the spelling opened last
    EXPECT_EQ(list, (Names{u"C", u"f", u"e", u"d", u"b"}));
    AddRecentFileName(list, u"");
    EXPECT_EQ(list.size(), 5u);
    EXPECT_EQ(RecentFileCaption(3, u"C:\\a&b.jpg"), u"&3 C:\\a&&b.jpg");
}

TEST(RecentFiles, StateNodeBytesAndOrderRestored) {
    const std::vector<Byte> expected = {0xD5, 0x01, 0x0D, 0x10, 0x48, 0xC2, 0xF4, 0xC0, 0xD7, 0x34,  // GUID node id 1
                                        0x14, 0x40, 0x81, 0x16, 0x24, 0xBE, 0xE9, 0xAB, 0x5C, 0x30,  //
                                        0xD5, 0x01, 0x05, 0x04, 0x02, 0x00, 0x00, 0x00,  // int node id 1, key 2
                                        0x55, 0x01, 0x0C, 0x04, 'b',  0,    '&',  0,     // item 1: the most recent
                                        0x55, 0x02, 0x0C, 0x02, 'a',  0,                 // item 2
                                        0x00, 0x00};
    EXPECT_EQ(WrittenNode({u"b&", u"a"}), expected);
    EXPECT_EQ(ReadNode(expected), (Names{u"b&", u"a"}));

    // A count beyond what is kept reads only the five most recent; a missing or wrong-typed item is skipped.
    std::vector<Byte> seven = WrittenNode({u"1", u"2", u"3", u"4", u"5", u"6", u"7"});
    EXPECT_EQ(ReadNode(seven), (Names{u"1", u"2", u"3", u"4", u"5"}));
    std::vector<Byte> hostile = expected;
    hostile[24] = 0xFF, hostile[25] = 0xFF, hostile[26] = 0xFF, hostile[27] = 0x7F;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadNode(hostile), (Names{u"b&", u"a"}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_TRUE(ReadNode({}).empty());
}
