#include <gtest/gtest.h>

#include "classlib/win/Win32.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/UniExceptions.h"
#include "unicode/core/WidePaths.h"
#include "unicode/win/TUniFileStream.h"
#include "unicode/win/WideFiles.h"

using namespace uni;

namespace {

// A fresh folder with a non-ASCII name below the system's temporary folder, removed with its files.
class WideTempDir {
public:
    WideTempDir() {
        wchar_t temp[MAX_PATH];
        const DWORD n = GetTempPathW(MAX_PATH, temp);
        path_ = FromWideChars(temp, n) + u"uni\u041f\u03a9" + WideString(u"_") +
                char16_t(u'a' + GetCurrentProcessId() % 26) + char16_t(u'a' + GetTickCount() % 26);
        CreateDirectoryW(WideCStr(path_), nullptr);
    }
    ~WideTempDir() { RemoveTree(path_); }
    WideString File(const WideString& name) const { return path_ + u"\\" + name; }
    const WideString& Path() const { return path_; }

private:
    static void RemoveTree(const WideString& dir) {
        WIN32_FIND_DATAW d;
        HANDLE h = FindFirstFileW(WideCStr((dir + u"\\*")), &d);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const WideString name = FromWideChars(d.cFileName);
                if (name == u"." || name == u"..") continue;
                const WideString full = dir + u"\\" + name;
                if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(full);
                else
                    DeleteFileW(WideCStr(full));
            } while (FindNextFileW(h, &d));
            FindClose(h);
        }
        RemoveDirectoryW(WideCStr(dir));
    }
    WideString path_;
};

}  // namespace

TEST(WideFiles, StreamWritesAndReadsNonAnsiNames) {
    WideTempDir dir;
    const WideString name = dir.File(u"\u65e5\u672c.txt");
    {
        TUniFileStream out(name, 0xFFFF);
        out.WriteBuffer("hello", 5);
    }
    EXPECT_TRUE(FileExistsW(name));
    EXPECT_FALSE(FileExistsW(dir.Path()));
    EXPECT_TRUE(DirectoryExistsW(dir.Path()));
    EXPECT_FALSE(DirectoryExistsW(name));
    EXPECT_FALSE(FileExistsW(dir.File(u"*.txt")));
    TUniFileStream in(name, 0x20);
    char buf[8] = {};
    EXPECT_EQ(in.Read(buf, 8), 5);
    EXPECT_STREQ(buf, "hello");
    // Deny-write sharing lets another reader in but no writer.
    EXPECT_NO_THROW(TUniFileStream(name, 0x40));
    EXPECT_THROW(TUniFileStream(name, 0x42), EWideFOpenError);
}

TEST(WideFiles, OpeningAMissingFileNamesTheFullPathAndTheSystemText) {
    WideTempDir dir;
    const WideString name = dir.File(u"missing\u041f.txt");
    try {
        TUniFileStream s(name, 0);
        FAIL() << "opened a missing file";
    } catch (const EWideFOpenError& e) {
        const WideString expected =
            u"Cannot open file \"" + FullFileNameW(name) + u"\". " + SystemErrorTextW(ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(e.WideMessage(), expected);
        EXPECT_NE(SystemErrorTextW(ERROR_FILE_NOT_FOUND).find(u"Unspecified"), 0u);
    }
    EXPECT_THROW(TUniFileStream(dir.File(u"no\\such\\dir.txt"), 0xFFFF), EWideFCreateError);
    EXPECT_THROW(OpenNamedFileW(name, 0x50), ERangeError);
    EXPECT_THROW(OpenNamedFileW(name, 0x03), ERangeError);
}

TEST(WideFiles, CreateDirectoryPath) {
    EXPECT_TRUE(CreateWideDirectoryPath(u"C:\\"));
    try {
        CreateWideDirectoryPath(u"");
        FAIL();
    } catch (const EUniGeneralError& e) {
        EXPECT_EQ(e.Message(), "Unable to create directory");
    }
    WideTempDir dir;
    const WideString deep = dir.File(u"a\\\u0431\\c\\");
    EXPECT_TRUE(CreateWideDirectoryPath(deep));
    EXPECT_TRUE(DirectoryExistsW(dir.File(u"a\\\u0431\\c")));
    EXPECT_TRUE(CreateWideDirectoryPath(deep));
    // A file in the way cannot become a folder.
    { TUniFileStream f(dir.File(u"file"), 0xFFFF); }
    EXPECT_FALSE(CreateWideDirectoryPath(dir.File(u"file\\sub")));
}

TEST(WideFiles, PathsAndModuleName) {
    const WideString exe = SwitchGetModuleFileName(nullptr);
    EXPECT_EQ(FileExtOfW(exe), u".exe");
    EXPECT_TRUE(FileExistsW(exe));
    EXPECT_EQ(FullFileNameW(u"C:\\a\\..\\b.txt"), u"C:\\b.txt");
    EXPECT_EQ(SystemErrorTextFromW(u"mine", nullptr, 0x2FFFFFFF), u"Unspecified error (805306367) from mine.");
}
