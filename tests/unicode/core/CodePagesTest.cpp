#include <gtest/gtest.h>

#include "tests/unicode/core/SystemCodePage.h"
#include "unicode/core/CodePages.h"
#include "unicode/core/UniExceptions.h"

using namespace uni;

TEST(CodePages, UtfCodePagesAreConvertedByThisLayer) {
    EXPECT_EQ(DecodeCodePage("+BB8-", 65000), u"\u041f");
    EXPECT_EQ(EncodeCodePage(u"\u041f", 65000), "+BB8");
    EXPECT_EQ(DecodeCodePage("\xd0\x9f", 65001), u"\u041f");
    EXPECT_EQ(EncodeCodePage(u"\u041f", 65001), "\xd0\x9f");
    EXPECT_THROW(DecodeCodePage("+.", 65000), EUniGeneralError);
}

TEST(CodePages, OtherCodePagesGoToTheSystemConversion) {
    unitest::ScopedSystemCodePage cp(1251);
    EXPECT_EQ(DefaultUserCodePage(), 1251);
    EXPECT_EQ(DecodeCodePage("\xcf\xf0\xe8", 1251), u"\u041f\u0440\u0438");
    EXPECT_EQ(EncodeCodePage(u"\u041f\u0440\u0438", 1251), "\xcf\xf0\xe8");
    EXPECT_EQ(DecodeCodePage("\xcf", 0), u"\u041f");
    EXPECT_EQ(DecodeCodePage("\xcf", 1252), u"\u00cf");
    // An unknown code page gives an empty result in both directions, never an error.
    EXPECT_EQ(DecodeCodePage("abc", 54321), u"");
    EXPECT_EQ(EncodeCodePage(u"abc", 54321), "");
    EXPECT_EQ(DecodeCodePage("abc", -5), u"");
    EXPECT_EQ(DecodeCodePage("", 1251), u"");
    EXPECT_EQ(EncodeCodePage(u"", 1251), "");
}

TEST(SwapUnitBytes, SwapsUpToTheFirstZeroUnit) {
    WideString s{0x1234, 0xFF00, 0x0000, 0x1234};
    SwapUnitBytes(s);
    EXPECT_EQ(s, (WideString{0x3412, 0x00FF, 0x0000, 0x1234}));
    WideString empty;
    SwapUnitBytes(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(CodePages, WideStreamErrorKeepsBothMessages) {
    unitest::ScopedSystemCodePage cp(1251);
    const EWideFOpenError e(u"Cannot open file \"\u041f.txt\".");
    EXPECT_EQ(e.WideMessage(), u"Cannot open file \"\u041f.txt\".");
    EXPECT_EQ(e.Message(), "Cannot open file \"\xcf.txt\".");
    const EStreamError& base = e;
    EXPECT_STREQ(base.what(), "Cannot open file \"\xcf.txt\".");
}
