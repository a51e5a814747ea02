#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TStringList.h"
#include "classlib/win/Win32.h"
#include "classlib/win/Win32CodePages.h"

namespace {

std::string AllBytes() {
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    return all;
}

// The built-in tables must give what the system gives, byte for byte, both ways.
void ExpectTablesMatchTheSystem(std::uint32_t cp) {
    SetCodePageBackend(nullptr);
    const WideString native = AnsiToWide(AllBytes(), cp);
    classlib::InstallWin32CodePages();
    const WideString system = AnsiToWide(AllBytes(), cp);
    EXPECT_EQ(native, system) << "code page " << cp;
    EXPECT_EQ(WideToAnsi(system, cp), AllBytes()) << "code page " << cp;
}

class Win32CodePages : public ::testing::Test {
protected:
    void SetUp() override { classlib::InstallWin32CodePages(); }
    void TearDown() override { SetCodePageBackend(nullptr); }
};

}  // namespace

TEST_F(Win32CodePages, BuiltInTablesAgreeWithTheSystem) {
    ExpectTablesMatchTheSystem(1252);
    ExpectTablesMatchTheSystem(1251);
}

TEST_F(Win32CodePages, SystemCodePageAndConversions) {
    EXPECT_EQ(SystemAnsiCodePage(), GetACP());
    std::printf("system ANSI code page %u\n", unsigned(GetACP()));
    EXPECT_EQ(AnsiToWide("\xC0\xE1", 1251), u"\u0410\u0431");
    EXPECT_EQ(WideToAnsi(u"\u0410\u0431", 1251), "\xC0\xE1");
    EXPECT_EQ(AnsiToWide("\x80", 1252), u"\u20AC");
    EXPECT_EQ(Utf8Decode("\xE2\x82\xAC"), u"\u20AC");
    EXPECT_THROW(AnsiToWide("x", 12345), EConvertError);
    EXPECT_THROW(WideToAnsi(u"x", 12345), EConvertError);
    // Code page 0 follows the system's ANSI code page (1251 when Wine runs under a Russian locale).
    if (GetACP() == 1251) {
        EXPECT_EQ(AnsiToWide("\xC0"), u"\u0410");
        EXPECT_EQ(AnsiUpperCase("\xE0\xB8"), "\xC0\xA8");
    } else if (GetACP() == 1252) {
        EXPECT_EQ(AnsiToWide("\xC0"), u"\u00C0");
        EXPECT_EQ(AnsiUpperCase("\xE9"), "\xC9");
    }
}

TEST_F(Win32CodePages, LocaleComparisonsDriveTheStringList) {
    EXPECT_EQ(CompareTextSystem("abc", "ABC"), 0);
    EXPECT_LT(CompareTextSystem("apple", "Banana"), 0);
    EXPECT_NE(AnsiCompareStr("abc", "ABC"), 0);
    EXPECT_EQ(CompareTextSystem(u"\u00E9t\u00E9", u"\u00C9T\u00C9"), 0);
    EXPECT_LT(WideCompareStr(u"a", u"b"), 0);
    EXPECT_EQ(WideUpperCase(u"\u0430z"), u"\u0410Z");
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "APPLE"}) list.Add(s);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "Apple");
    EXPECT_EQ(list.IndexOf("FIG"), 1);
}
