#include <gtest/gtest.h>

#include "unicode/core/FileDialogText.h"

using namespace uni;
using namespace std::string_literals;

namespace {
std::u16string Buffer(std::u16string_view text, std::size_t size) {
    std::u16string buf(size, u'\0');
    buf.replace(0, text.size(), text);
    return buf;
}
}  // namespace

TEST(FileDialogText, FilterBecomesZeroSeparatedPartsWithAFinalEmptyPart) {
    EXPECT_EQ(DialogFilterText(u"Pictures|*.jpg|All|*.*"), u"Pictures\0*.jpg\0All\0*.*\0\0"s);
    EXPECT_EQ(DialogFilterText(u""), u"");
    EXPECT_EQ(DialogFilterText(u"\u0424\u043e\u0442\u043e|*.jpg"), u"\u0424\u043e\u0442\u043e\0*.jpg\0\0"s);
}

TEST(FileDialogText, MultiSelectionJoinsTheFolderWithEachNameUnlessAbsolute) {
    const std::u16string buf = Buffer(u"C:\\Pics\0a.jpg\0b.jpg\0D:\\x.jpg\0\\\\srv\\y.jpg\0"s, 300);
    const TDialogFileNames names = ReadDialogFileNames(buf.data(), buf.size(), true, u'\0');
    EXPECT_FALSE(names.truncated);
    ASSERT_EQ(names.files.size(), 4u);
    EXPECT_EQ(names.files[0], u"C:\\Pics\\a.jpg");
    EXPECT_EQ(names.files[1], u"C:\\Pics\\b.jpg");
    EXPECT_EQ(names.files[2], u"D:\\x.jpg");
    EXPECT_EQ(names.files[3], u"\\\\srv\\y.jpg");
    // A folder that ends in "\" gets none added; one part is a full name; no part gives one empty name.
    const std::u16string root = Buffer(u"C:\\\0a.jpg\0b.jpg\0"s, 40);
    EXPECT_EQ(ReadDialogFileNames(root.data(), root.size(), true, u'\0').files[0], u"C:\\a.jpg");
    const std::u16string one = Buffer(u"C:\\Pics\\\u0416.jpg", 40);
    EXPECT_EQ(ReadDialogFileNames(one.data(), one.size(), true, u'\0').files,
              std::vector<WideString>{u"C:\\Pics\\\u0416.jpg"});
    const std::u16string none(8, u'\0');
    EXPECT_EQ(ReadDialogFileNames(none.data(), none.size(), true, u'\0').files, std::vector<WideString>{u""});
}

TEST(FileDialogText, OldStyleMultiSelectionSplitsAtBlanks) {
    const std::u16string buf = Buffer(u"C:\\Pics a.jpg b.jpg", 40);
    const TDialogFileNames names = ReadDialogFileNames(buf.data(), buf.size(), true, u' ');
    EXPECT_EQ(names.files, (std::vector<WideString>{u"C:\\Pics\\a.jpg", u"C:\\Pics\\b.jpg"}));
}

TEST(FileDialogText, ABufferFilledToItsEndIsReadOnlyToItsEndAndReportedAsCut) {
    // No terminator anywhere: the read stops at the buffer's end (ASan checks nothing beyond is touched).
    const std::u16string full(8, u'x');
    const TDialogFileNames single = ReadDialogFileNames(full.data(), full.size(), false, u'\0');
    EXPECT_TRUE(single.truncated);
    EXPECT_EQ(single.files, std::vector<WideString>{u"xxxxxxxx"});
    const std::u16string multi(u"C:\\P\0a.jp", 9);
    const TDialogFileNames cut = ReadDialogFileNames(multi.data(), multi.size(), true, u'\0');
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.files, std::vector<WideString>{u"C:\\P\\a.jp"});
    const std::u16string fits(u"a.jpg\0", 6);
    EXPECT_FALSE(ReadDialogFileNames(fits.data(), fits.size(), false, u'\0').truncated);
}

TEST(FileDialogText, InitialDirLosesOneTrailingBackslashExceptAfterADrive) {
    EXPECT_EQ(TrimInitialDir(u"C:\\Pics\\"), u"C:\\Pics");
    EXPECT_EQ(TrimInitialDir(u"C:\\"), u"C:\\");
    EXPECT_EQ(TrimInitialDir(u"\\"), u"\\");
    EXPECT_EQ(TrimInitialDir(u"C:\\Pics\\\\"), u"C:\\Pics\\");
}

TEST(FileDialogText, DefaultExtensionComesFromTheNameOnlyForOldStyleDialogs) {
    EXPECT_EQ(DialogDefaultExt(u"", u"C:\\a.b\\photo.jpeg", false), u"jpeg");
    EXPECT_EQ(DialogDefaultExt(u"", u"C:\\a.b\\photo", false), u"");
    EXPECT_EQ(DialogDefaultExt(u"", u"photo.jpeg", true), u"");
    EXPECT_EQ(DialogDefaultExt(u"png", u"photo.jpeg", false), u"png");
}
