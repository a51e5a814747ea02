// Whole-file reads and replacing writes by wide name: the state file's folder is made, and a write that
// cannot finish leaves the old file as it was.
#include <gtest/gtest.h>

#include "app/win/KelvoFiles.h"
#include "classlib/core/CodePages.h"
#include "classlib/win/WideChars.h"
#include "tests/support/TestSupport.h"
#include "unicode/core/WidePaths.h"
#include "unicode/win/WideFiles.h"

namespace {

AnsiString Content(const WideString& name) {
    AnsiString bytes;
    kelvo::ReadFileBytes(name, bytes, 1 << 20);
    return bytes;
}

}  // namespace

TEST(KelvoFiles, ReplacingMakesMissingFoldersWithNonAnsiNamesAndReplacesTheOldContent) {
    testsupport::TempDir dir;
    const WideString name = AnsiToWide(dir.Path()) + u"\\\u041f\u03a9\\deeper\\state.cfg";
    ASSERT_TRUE(kelvo::ReplaceFileContent(name, "first", 5));
    EXPECT_EQ(Content(name), "first");
    ASSERT_TRUE(kelvo::ReplaceFileContent(name, "2nd", 3));
    EXPECT_EQ(Content(name), "2nd");
    // Nothing else is left in the folder.
    WIN32_FIND_DATAW data{};
    HANDLE find = uni::SwitchFindFirstFile(uni::FilePathOfW(name) + u"*", data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    int files = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    EXPECT_EQ(files, 1);

    AnsiString bytes = "untouched";
    EXPECT_FALSE(kelvo::ReadFileBytes(name, bytes, 2));  // larger than allowed
    EXPECT_FALSE(kelvo::ReadFileBytes(name + u"x", bytes, 100));
    EXPECT_EQ(bytes, "untouched");
}

TEST(KelvoFiles, AWriteThatCannotFinishLeavesTheOldFile) {
    testsupport::TempDir dir;
    const WideString name = AnsiToWide(dir.Path()) + u"\\state.cfg";
    ASSERT_TRUE(kelvo::ReplaceFileContent(name, "old", 3));

    // Another program holds the file open without letting it be replaced.
    HANDLE held = ::CreateFileW(WideCStr(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(kelvo::ReplaceFileContent(name, "new", 3));
    ::CloseHandle(held);
    EXPECT_EQ(Content(name), "old");

    // The folder cannot be made: a file stands where it would be.
    const WideString blocked = AnsiToWide(dir.Path()) + u"\\state.cfg\\inner.cfg";
    EXPECT_FALSE(kelvo::ReplaceFileContent(blocked, "new", 3));
    EXPECT_EQ(Content(name), "old");
}

TEST(KelvoFiles, AWriterThatFailsPartWayLeavesTheOldFileAndNoTemporary) {
    testsupport::TempDir dir;
    const WideString name = AnsiToWide(dir.Path()) + u"\\picture.jpg";
    ASSERT_TRUE(kelvo::ReplaceFileContent(name, "old image", 9));
    WideString used;
    EXPECT_FALSE(kelvo::ReplaceFileBy(name, [&](const WideString& temporary) {
        used = temporary;
        kelvo::ReplaceFileContent(temporary, "half", 4);  // the encoder got this far
        return false;
    }));
    EXPECT_EQ(Content(name), "old image");
    ASSERT_FALSE(used.empty());
    EXPECT_EQ(::GetFileAttributesW(WideCStr(used)), INVALID_FILE_ATTRIBUTES);
}
