#include <gtest/gtest.h>

#include "unicode/core/WidePaths.h"

using namespace uni;

TEST(WidePaths, TrailingBackslash) {
    EXPECT_EQ(AddTrailingBackslashW(u"C:\\a"), u"C:\\a\\");
    EXPECT_EQ(AddTrailingBackslashW(u"C:\\a\\"), u"C:\\a\\");
    EXPECT_EQ(AddTrailingBackslashW(u""), u"\\");
    EXPECT_EQ(RemoveTrailingBackslashW(u"C:\\a\\\\"), u"C:\\a\\");
    EXPECT_EQ(RemoveTrailingBackslashW(u"C:\\a"), u"C:\\a");
    EXPECT_EQ(RemoveTrailingBackslashW(u""), u"");
}

TEST(WidePaths, FolderNameAndExtensionSplitAtBackslashOrColon) {
    EXPECT_EQ(FilePathOfW(u"C:\\Pics\\\u041f.jpg"), u"C:\\Pics\\");
    EXPECT_EQ(FileNameOfW(u"C:\\Pics\\\u041f.jpg"), u"\u041f.jpg");
    EXPECT_EQ(FilePathOfW(u"C:x.txt"), u"C:");
    EXPECT_EQ(FileNameOfW(u"C:x.txt"), u"x.txt");
    EXPECT_EQ(FilePathOfW(u"x.txt"), u"");
    EXPECT_EQ(FileNameOfW(u"x.txt"), u"x.txt");
    EXPECT_EQ(FileNameOfW(u"C:\\dir\\"), u"");
#ifdef _WIN32
    // On Windows a forward slash is part of the name, as the system's own rule has it; natively it is the
    // system's folder separator.
    EXPECT_EQ(FileNameOfW(u"a/b.txt"), u"a/b.txt");
#else
    EXPECT_EQ(FileNameOfW(u"a/b.txt"), u"b.txt");
#endif

    EXPECT_EQ(FileExtOfW(u"C:\\a.b\\c"), u"");
    EXPECT_EQ(FileExtOfW(u"C:\\a.b\\c.tar.gz"), u".gz");
    EXPECT_EQ(FileExtOfW(u"c."), u".");
    EXPECT_EQ(FileExtOfW(u"a.b:c"), u"");
    EXPECT_EQ(FileExtOfW(u""), u"");
}

TEST(WidePaths, ReplaceFileExt) {
    EXPECT_EQ(ReplaceFileExtW(u"C:\\a\\pic.jpg", u".kvi"), u"C:\\a\\pic.kvi");
    EXPECT_EQ(ReplaceFileExtW(u"C:\\a.b\\pic", u".kvi"), u"C:\\a.b\\pic.kvi");
    EXPECT_EQ(ReplaceFileExtW(u"pic.tar.gz", u""), u"pic.tar");
    EXPECT_EQ(ReplaceFileExtW(u"", u".x"), u".x");
}

TEST(WidePaths, SplitAtChar) {
    EXPECT_EQ(SplitAtCharW(u"a|bb||c", u'|'), (std::vector<WideString>{u"a", u"bb", u"", u"c"}));
    EXPECT_EQ(SplitAtCharW(u"", u'|'), (std::vector<WideString>{u""}));
    EXPECT_EQ(SplitAtCharW(u"|", u'|'), (std::vector<WideString>{u"", u""}));
    EXPECT_EQ(SplitAtCharW(u"abc", u'|'), (std::vector<WideString>{u"abc"}));
    // Many parts (the list grows past its first block).
    WideString many;
    for (int i = 0; i < 600; ++i) many += u"x,";
    const auto parts = SplitAtCharW(many, u',');
    ASSERT_EQ(parts.size(), 601u);
    EXPECT_EQ(parts[599], u"x");
    EXPECT_EQ(parts[600], u"");
}

TEST(WidePaths, SystemErrorText) {
    EXPECT_EQ(SystemErrorTextFromRaw(u"  The system cannot find the file specified.\r\n", 2, u"system"),
              u"The system cannot find the file specified.");
    EXPECT_EQ(SystemErrorTextFromRaw(u"", 12345, u"system"), u"Unspecified error (12345) from system.");
    EXPECT_EQ(SystemErrorTextFromRaw(u" \r\n", 0xFFFFFFFF, u"mod"), u"Unspecified error (-1) from mod.");
}
