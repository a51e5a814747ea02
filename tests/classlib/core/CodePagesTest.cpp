#include <gtest/gtest.h>

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"

namespace {

// Every byte of a single-byte code page survives the trip to UTF-16 and back.
void ExpectAllBytesRoundTrip(std::uint32_t cp) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    const WideString w = AnsiToWide(all, cp);
    ASSERT_EQ(w.size(), all.size());
    EXPECT_EQ(WideToAnsi(w, cp), all);
}

}  // namespace

TEST(CodePages, Windows1252AndItsUndefinedBytes) {
    EXPECT_EQ(AnsiToWide("A\x80\xE9\x9F", 1252), u"A\u20AC\u00E9\u0178");
    EXPECT_EQ(AnsiToWide("\x81\x8D", 1252), u"\u0081\u008D");
    EXPECT_EQ(WideToAnsi(u"\u20AC\u00FF\u2122", 1252), "\x80\xFF\x99");
    ExpectAllBytesRoundTrip(1252);
    // Characters the code page lacks; a surrogate pair is one character.
    EXPECT_EQ(WideToAnsi(u"a\u0410b\U0001F600c", 1252), "a?b?c");
}

TEST(CodePages, Windows1251AndTheSystemCodePage) {
    EXPECT_EQ(AnsiToWide("\xC0\xFF\xA8\xB8\x88", 1251), u"\u0410\u044F\u0401\u0451\u20AC");
    ExpectAllBytesRoundTrip(1251);
    SetSystemAnsiCodePage(1251);
    EXPECT_EQ(SystemAnsiCodePage(), 1251u);
    EXPECT_EQ(AnsiToWide("\xC0"), u"\u0410");  // code page 0 follows the system
    EXPECT_EQ(WideToAnsi(u"\u00E9"), "?");
    SetSystemAnsiCodePage(1252);
    EXPECT_EQ(AnsiToWide("\xC0"), u"\u00C0");
    EXPECT_THROW(SetSystemAnsiCodePage(0), EConvertError);
}

TEST(CodePages, UnknownCodePageRaisesAndRegisteredTablesWork) {
    EXPECT_THROW(AnsiToWide("x", 737), EConvertError);
    EXPECT_THROW(WideToAnsi(u"x", 737), EConvertError);
    EXPECT_EQ(AnsiToWide("", 737), u"");  // nothing to convert
    std::array<char16_t, 128> greek{};
    for (int i = 0; i < 128; ++i) greek[i] = char16_t(0x391 + (i % 24));
    RegisterSingleByteCodePage(737, greek);
    EXPECT_EQ(AnsiToWide("a\x80", 737), u"a\u0391");
    EXPECT_EQ(WideToAnsi(u"\u0392", 737), "\x81");  // the first byte of a repeated character wins
}

TEST(CodePages, Utf8EncodeAndDecode) {
    const WideString text = u"a\u00E9\u20AC\U0001F600";
    const AnsiString utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8Encode(text), utf8);
    EXPECT_EQ(Utf8Decode(utf8), text);
    EXPECT_EQ(AnsiToWide(utf8, CodePageUtf8), text);
    EXPECT_EQ(WideToAnsi(text, CodePageUtf8), utf8);
    // Unpaired surrogates cannot be written in UTF-8.
    EXPECT_EQ(Utf8Encode(std::u16string(u"x") + char16_t(0xD800) + u"y" + char16_t(0xDC00)),
              "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(CodePages, InvalidUtf8BecomesReplacementCharacters) {
    const char16_t R = 0xFFFD;
    EXPECT_EQ(Utf8Decode("\x80"), WideString(1, R));        // stray continuation
    EXPECT_EQ(Utf8Decode("a\xC3"), (WideString{u'a', R}));  // truncated at the end
    EXPECT_EQ(Utf8Decode("\xE2\x82"
                         "A"),
              (WideString{R, R, u'A'}));                                  // truncated in the middle
    EXPECT_EQ(Utf8Decode("\xC0\xAF"), (WideString{R, R}));                // overlong
    EXPECT_EQ(Utf8Decode("\xE0\x80\xAF"), (WideString{R, R, R}));         // overlong, 3 bytes
    EXPECT_EQ(Utf8Decode("\xED\xA0\x80"), (WideString{R, R, R}));         // encoded surrogate
    EXPECT_EQ(Utf8Decode("\xF4\x90\x80\x80"), (WideString{R, R, R, R}));  // above U+10FFFF
    EXPECT_EQ(Utf8Decode("\xFF"), WideString(1, R));
    EXPECT_EQ(Utf8Decode("\xEF\xBB\xBFok"), u"\uFEFFok");  // a mark is kept as text
    EXPECT_EQ(Utf8Decode(std::string_view("a\0b", 3)), WideString(u"a\0b", 3));
}

TEST(CodePages, WideComparisonAndCase) {
    EXPECT_EQ(CompareTextSystem(u"Hello", u"hELLO"), 0);
    EXPECT_LT(CompareTextSystem(u"apple", u"Banana"), 0);
    EXPECT_GT(WideCompareStr(u"b", u"a"), 0);
    EXPECT_NE(WideCompareStr(u"a", u"A"), 0);
    EXPECT_LT(WideCompareStr(u"ab", u"abc"), 0);
    EXPECT_EQ(WideUpperCase(u"\u00E9\u00FF\u0430\u0451\u0101\u013A\u03B1z"),
              u"\u00C9\u0178\u0410\u0401\u0100\u0139\u0391Z");
    EXPECT_EQ(WideLowerCase(u"\u00C9\u0178\u0410\u0401\u0100\u0139\u0391Z"),
              u"\u00E9\u00FF\u0430\u0451\u0101\u013A\u03B1z");
    EXPECT_EQ(WideUpperCase(u"\u00F7\u00DF"), u"\u00F7\u00DF");  // division sign and sharp s stay
}
