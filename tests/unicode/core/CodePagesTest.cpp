#include <gtest/gtest.h>

#include "unicode/core/CodePages.h"
#include "unicode/core/UniExceptions.h"

using namespace uni;

namespace {

// A stand-in for the system conversion: code page 1251 maps 0xC0-0xFF to U+0410-U+044F, everything else
// below 0x80 is ASCII; any other code page is unknown.
int gAnsiCodePageCalls = 0;
int gAnsiCodePage = 1251;

WideString FakeToWide(const AnsiString& s, int cp) {
    if (cp == 0) cp = gAnsiCodePage;
    if (cp != 1251) return WideString();
    WideString w;
    for (unsigned char c : s) w += c >= 0xC0 ? char16_t(0x410 + (c - 0xC0)) : char16_t(c < 0x80 ? c : u'?');
    return w;
}

AnsiString FakeFromWide(const WideString& w, int cp) {
    if (cp == 0) cp = gAnsiCodePage;
    if (cp != 1251) return AnsiString();
    AnsiString s;
    for (char16_t c : w) s += c >= 0x410 && c <= 0x44F ? char(0xC0 + (c - 0x410)) : c < 0x80 ? char(c) : '?';
    return s;
}

int FakeAnsiCodePage() {
    ++gAnsiCodePageCalls;
    return gAnsiCodePage;
}

class CodePages : public ::testing::Test {
protected:
    void SetUp() override {
        SystemCodePageConverter fake;
        fake.toWide = &FakeToWide;
        fake.fromWide = &FakeFromWide;
        fake.ansiCodePage = &FakeAnsiCodePage;
        previous_ = SetSystemCodePageConverter(fake);
        gAnsiCodePageCalls = 0;
        gAnsiCodePage = 1251;
    }
    void TearDown() override { SetSystemCodePageConverter(previous_); }
    SystemCodePageConverter previous_;
};

}  // namespace

TEST_F(CodePages, UtfCodePagesNeverReachTheSystem) {
    EXPECT_EQ(DecodeCodePage("+BB8-", 65000), u"\u041f");
    EXPECT_EQ(EncodeCodePage(u"\u041f", 65000), "+BB8");
    EXPECT_EQ(DecodeCodePage("\xd0\x9f", 65001), u"\u041f");
    EXPECT_EQ(EncodeCodePage(u"\u041f", 65001), "\xd0\x9f");
    EXPECT_THROW(DecodeCodePage("+.", 65000), EUniGeneralError);
}

TEST_F(CodePages, OtherCodePagesGoToTheSystemConversion) {
    EXPECT_EQ(DecodeCodePage("\xcf\xf0\xe8", 1251), u"\u041f\u0440\u0438");
    EXPECT_EQ(EncodeCodePage(u"\u041f\u0440\u0438", 1251), "\xcf\xf0\xe8");
    EXPECT_EQ(DecodeCodePage("\xcf", 0), u"\u041f");
    // An unknown code page gives an empty result in both directions.
    EXPECT_EQ(DecodeCodePage("abc", 54321), u"");
    EXPECT_EQ(EncodeCodePage(u"abc", 54321), "");
    EXPECT_EQ(DecodeCodePage("", 1251), u"");
    EXPECT_EQ(EncodeCodePage(u"", 1251), "");
}

TEST_F(CodePages, DefaultUserCodePageIsReadOnce) {
    EXPECT_EQ(DefaultUserCodePage(), 1251);
    gAnsiCodePage = 1252;
    EXPECT_EQ(DefaultUserCodePage(), 1251);
    EXPECT_EQ(gAnsiCodePageCalls, 1);
}

TEST_F(CodePages, WithoutSystemConversionOnlyUtfWorks) {
    SetSystemCodePageConverter(SystemCodePageConverter{});
    EXPECT_EQ(DecodeCodePage("abc", 1252), u"");
    EXPECT_EQ(DecodeCodePage("abc", 65001), u"abc");
}

TEST(SwapUnitBytes, SwapsUpToTheFirstZeroUnit) {
    WideString s{0x1234, 0xFF00, 0x0000, 0x1234};
    SwapUnitBytes(s);
    EXPECT_EQ(s, (WideString{0x3412, 0x00FF, 0x0000, 0x1234}));
    WideString empty;
    SwapUnitBytes(empty);
    EXPECT_TRUE(empty.empty());
}

TEST_F(CodePages, WideStreamErrorKeepsBothMessages) {
    const EWideFOpenError e(u"Cannot open file \"\u041f.txt\".");
    EXPECT_EQ(e.WideMessage(), u"Cannot open file \"\u041f.txt\".");
    EXPECT_EQ(e.Message(), "Cannot open file \"\xcf.txt\".");
    const EStreamError& base = e;
    EXPECT_STREQ(base.what(), "Cannot open file \"\xcf.txt\".");
}
