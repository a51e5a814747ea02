#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classlib/core/CodePages.h"
#include "classlib/win/Win32.h"
#include "classlib/win/Win32CodePages.h"
#include "classlib/win/WideChars.h"
#include "tests/support/CyrillicChild.h"
#include "unicode/core/CodePages.h"
#include "unicode/core/Utf7.h"
#include "unicode/core/Utf8.h"
#include "unicode/win/WinCodePages.h"

using namespace uni;

namespace {

// The Windows tests of this layer run with the system conversions installed, as the program does.
class Win32CodePagesEnvironment : public ::testing::Environment {
public:
    void SetUp() override { classlib::InstallWin32CodePages(); }
};
const ::testing::Environment* const kWin32CodePages =
    ::testing::AddGlobalTestEnvironment(new Win32CodePagesEnvironment);

class WinCodePages : public ::testing::Test {};

WideString SystemDecode(const AnsiString& s, UINT cp) {
    const int n = MultiByteToWideChar(cp, 0, s.data(), int(s.size()), nullptr, 0);
    WideString w(std::size_t(n > 0 ? n : 0), u'\0');
    if (n > 0) MultiByteToWideChar(cp, 0, s.data(), int(s.size()), WideBuffer(w), n);
    return w;
}

}  // namespace

TEST_F(WinCodePages, ExplicitCodePages) {
    EXPECT_EQ(DecodeCodePage("\xc0\xe9\x80", 1252), u"\u00c0\u00e9\u20ac");
    EXPECT_EQ(EncodeCodePage(u"\u00c0\u00e9\u20ac", 1252), "\xc0\xe9\x80");
    EXPECT_EQ(DecodeCodePage("\xcf\xf0\xe8", 1251), u"\u041f\u0440\u0438");
    EXPECT_EQ(EncodeCodePage(u"\u041f\u0440\u0438", 1251), "\xcf\xf0\xe8");
    // A character the code page lacks is replaced, never dropped silently.
    EXPECT_EQ(EncodeCodePage(u"\u041f", 1252).size(), 1u);
    EXPECT_EQ(DecodeCodePage("abc", 54321), u"");
    EXPECT_EQ(EncodeCodePage(u"abc", 54321), "");
}

TEST_F(WinCodePages, SystemAnsiCodePageFollowsTheLocale) {
    const int acp = int(GetACP());
    EXPECT_EQ(DefaultUserCodePage(), acp);
    const WideString a = DecodeCodePage("\xc0", 0);
    if (acp == 1251) {
        EXPECT_EQ(a, u"\u0410");
    } else if (acp == 1252) {
        EXPECT_EQ(a, u"\u00c0");
    }
    EXPECT_EQ(EncodeCodePage(a, 0), "\xc0");
}

TEST_F(WinCodePages, LocaleAndKeyboard) {
    EXPECT_EQ(CodePageOfLocale(0x0419), 1251);
    EXPECT_EQ(CodePageOfLocale(0x0409), 1252);
    EXPECT_EQ(CodePageOfLocale(0x0411), 932);
    const int kb = CodePageOfKeyboard();
    EXPECT_GT(kb, 0);
    // Codes from 256 up are already UTF-16 units.
    EXPECT_EQ(WidenKeyChar(0x03A9), u'\u03a9');
    EXPECT_EQ(WidenKeyChar(0xFFFF), u'\uffff');
    EXPECT_EQ(WidenKeyChar('A'), u'A');
    EXPECT_EQ(WidenKeyChar(0xC0), SystemDecode("\xc0", UINT(kb)).at(0));
}

TEST_F(WinCodePages, OurUtfCodersAgreeWithTheSystemOnValidInput) {
    const WideString samples[] = {u"Hi Mom -\u263a-!", u"A+B", u"\u65e5\u672c\u8a9e.", u"a~b\\c", u"\U0001F600x",
                                  u"tab\tline\r\n",    u""};
    for (const WideString& w : samples) {
        EXPECT_EQ(SystemDecode(EncodeUtf7(w), CP_UTF7), w);
        EXPECT_EQ(SystemDecode(EncodeUtf8(w), CP_UTF8), w);
    }
}

using testsupport::IsCyrillicChild;
using testsupport::RunSelfWithCyrillicLocale;

// Runs only inside the child started below.
TEST(WinCodePagesCyrillic, ChildRunsWithCodePage1251) {
    if (!IsCyrillicChild()) GTEST_SKIP() << "runs in the child process only";
    EXPECT_EQ(GetACP(), 1251u);
    EXPECT_EQ(DefaultUserCodePage(), 1251);
    EXPECT_EQ(DecodeCodePage("\xcf\xf0\xe8", 0), u"\u041f\u0440\u0438");
    EXPECT_EQ(EncodeCodePage(u"\u041f\u0440\u0438", 0), "\xcf\xf0\xe8");
    // A Latin-1 letter that 1251 lacks does not survive.
    EXPECT_NE(DecodeCodePage(EncodeCodePage(u"\u00e9", 0), 0), u"\u00e9");
}

TEST(WinCodePagesCyrillic, CodePageTestsPassUnderCodePage1251) {
    if (IsCyrillicChild()) GTEST_SKIP() << "the parent's test";
    if (GetEnvironmentVariableW(L"WINELOADER", nullptr, 0) == 0)
        GTEST_SKIP() << "the ANSI code page follows the Linux locale only under Wine";
    std::string output;
    const int code = RunSelfWithCyrillicLocale(
        "WinCodePages.*:WinCodePagesCyrillic.ChildRunsWithCodePage1251:WideFiles.*:UniStrings*", output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("[       OK ] WinCodePagesCyrillic.ChildRunsWithCodePage1251"), std::string::npos) << output;
    EXPECT_NE(output.find("[       OK ] UniStringsFile.ListsLoadAndSaveFilesWithNonAnsiNames"), std::string::npos)
        << output;
}
