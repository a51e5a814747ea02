#include <gtest/gtest.h>

#include "unicode/core/Utf8.h"

using uni::DecodeUtf8;
using uni::EncodeUtf8;

TEST(Utf8, EncodesEveryLength) {
    EXPECT_EQ(EncodeUtf8(u""), "");
    EXPECT_EQ(EncodeUtf8(u"A"), "A");
    EXPECT_EQ(EncodeUtf8(WideString(1, u'\0')), std::string(1, '\0'));
    EXPECT_EQ(EncodeUtf8(u"\u00e9"), "\xc3\xa9");
    EXPECT_EQ(EncodeUtf8(u"\u07ff\u0800"), "\xdf\xbf\xe0\xa0\x80");
    EXPECT_EQ(EncodeUtf8(u"\u20ac"), "\xe2\x82\xac");
    EXPECT_EQ(EncodeUtf8(u"\uffff"), "\xef\xbf\xbf");
    // A surrogate pair is one character of four bytes.
    EXPECT_EQ(EncodeUtf8(u"\U0001F600"), "\xf0\x9f\x98\x80");
    EXPECT_EQ(EncodeUtf8(u"\U0010FFFF"), "\xf4\x8f\xbf\xbf");
}

TEST(Utf8, LoneSurrogatesBecomeReplacement) {
    EXPECT_EQ(EncodeUtf8(WideString{0xD83D}), "\xef\xbf\xbd");
    EXPECT_EQ(EncodeUtf8(WideString{0xDE00, u'a'}),
              "\xef\xbf\xbd"
              "a");
    // A high surrogate followed by another high surrogate, then a proper pair.
    EXPECT_EQ(EncodeUtf8(WideString{0xD83D, 0xD83D, 0xDE00}), "\xef\xbf\xbd\xf0\x9f\x98\x80");
}

TEST(Utf8, DecodesWellFormedText) {
    EXPECT_EQ(DecodeUtf8(""), u"");
    EXPECT_EQ(DecodeUtf8("plain"), u"plain");
    EXPECT_EQ(DecodeUtf8("\xd0\x9f\xd1\x80\xd0\xb8"), u"\u041f\u0440\u0438");
    EXPECT_EQ(DecodeUtf8("\xf0\x9f\x98\x80!"), u"\U0001F600!");
    EXPECT_EQ(DecodeUtf8(std::string("a\0b", 3)), WideString(u"a\0b", 3));
}

TEST(Utf8, MalformedInputIsReplacedNotRaised) {
    // Stray continuation bytes, truncated, overlong and surrogate forms, values above U+10FFFF: each is
    // replaced, and the good text around it survives.
    for (const std::string bad : {"\x80", "\xc3", "\xe2\x82", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80",
                                  "\xf4\x90\x80\x80", "\xf5\xff", "\xf0\x9f\x98"}) {
        const WideString w = DecodeUtf8("a" + bad + "b");
        ASSERT_GE(w.size(), 3u) << bad;
        EXPECT_EQ(w.front(), u'a');
        EXPECT_EQ(w.back(), u'b');
        for (std::size_t i = 1; i + 1 < w.size(); ++i) EXPECT_EQ(w[i], u'\ufffd') << bad;
    }
}

TEST(Utf8, RoundTripsEveryScalarValueAndStaysInBounds) {
    WideString all;
    for (char32_t c = 1; c <= 0x10FFFF; c += (c < 0x10000 ? 1 : 97)) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (c < 0x10000) {
            all += char16_t(c);
        } else {
            const char32_t v = c - 0x10000;
            all += char16_t(0xD800 + (v >> 10));
            all += char16_t(0xDC00 + (v & 0x3FF));
        }
    }
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(all)), all);
    // Every two-byte prefix decodes without reading past the input (the sanitizers watch this).
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; b += 15) {
            const std::string s{char(a), char(b)};
            const WideString w = DecodeUtf8(s);
            EXPECT_GE(w.size(), 1u);
            EXPECT_LE(w.size(), 2u);
        }
}
