// The localizer over a real language folder: files found and read by wide name in name order, files that
// are no language skipped, and the switch setting the thread locale.
#include <gtest/gtest.h>

#include "app/win/KelvoFiles.h"
#include "app/win/KelvoLanguageFolder.h"
#include "classlib/core/CodePages.h"
#include "classlib/win/WideChars.h"
#include "tests/support/TestSupport.h"

namespace {

void Write(const WideString& name, const std::string& bytes) {
    ASSERT_TRUE(kelvo::ReplaceFileContent(name, bytes.data(), bytes.size()));
}

}  // namespace

TEST(KelvoLanguageFolder, FilesByWideNameInNameOrderAndTheSwitchSetsTheThreadLocale) {
    testsupport::TempDir dir;
    const WideString folder = AnsiToWide(dir.Path()) + u"\\\u65e5\u672c\\Languages\\";
    Write(folder + u"b_russian.ini",
          "CodePage=1251\r\n[Language]\r\nLangId=1049\r\nLanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\n"
          "[Strings]\r\n1=\xD4\xE0\xE9\xEB\r\n");
    Write(folder + u"A_\u00e9nglish.ini",
          "\xEF\xBB\xBF[Language]\r\nLangId=1033\r\nLanguage=English\r\n[Strings]\r\n"
          "1=File\r\n2=Exit\r\n");
    Write(folder + u"c_utf16.ini", std::string("\xFF\xFE[\0L\0", 6));
    Write(folder + u"d_noid.ini", "[Strings]\r\n1=x\r\n");
    Write(folder + u"readme.txt", "[Language]\r\nLangId=1031\r\n");
    ASSERT_TRUE(::CreateDirectoryW(WideCStr((folder + u"e_folder.ini")), nullptr));

    TKelvoLanguageFolder source(folder);
    const std::vector<WideString> files = source.LanguageFiles();
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0], folder + u"A_\u00e9nglish.ini");
    EXPECT_EQ(files[1], folder + u"b_russian.ini");

    TKelvoLocalizer localizer(source);
    ASSERT_EQ(localizer.LanguageCount(), 2);
    EXPECT_EQ(localizer.Language(1).Name, u"\u0420\u0443\u0441\u0441\u043a\u0438\u0439");
    EXPECT_EQ(localizer.GetBaseLanguageId(), 1033);
    EXPECT_EQ(localizer.GetText(1), u"File");

    const LCID before = ::GetThreadLocale();
    localizer.SetLanguage(1049);
    EXPECT_EQ(LANGIDFROMLCID(::GetThreadLocale()), 1049);
    EXPECT_EQ(localizer.GetText(1), u"\u0424\u0430\u0439\u043b");
    EXPECT_EQ(localizer.GetText(2), u"Exit");
    localizer.SetLanguage(2052);  // no such file: the locale stays
    EXPECT_EQ(LANGIDFROMLCID(::GetThreadLocale()), 1049);
    ::SetThreadLocale(before);
}
