#include <gtest/gtest.h>

#include <random>

#include "unicode/core/UniExceptions.h"
#include "unicode/core/Utf7.h"

using uni::DecodeUtf7;
using uni::EncodeUtf7;

namespace {

std::string InvalidMessage(const AnsiString& s) {
    try {
        DecodeUtf7(s);
    } catch (const EUniGeneralError& e) {
        return e.Message();
    }
    return "decoded";
}

}  // namespace

TEST(Utf7, PlusAndDirectCharacters) {
    EXPECT_EQ(EncodeUtf7(u"A+B"), "A+-B");
    EXPECT_EQ(DecodeUtf7("+-"), u"+");
    EXPECT_EQ(DecodeUtf7("A+-B"), u"A+B");
    // Direct, optional direct and white space characters pass as they are.
    const WideString plain = u"Hello, World. (x) 'y' -z/ ?:\t\r\n!\"#$%&*;<=>@[]^_`{|}";
    EXPECT_EQ(EncodeUtf7(plain), std::string(plain.begin(), plain.end()));
    EXPECT_EQ(EncodeUtf7(u""), "");
    EXPECT_EQ(DecodeUtf7(""), u"");
}

TEST(Utf7, ClosingDashOnlyWhereNeeded) {
    // U+00E9 as 16 bits: 0000 0000 1110 1001 -> AOk (padded with two zero bits).
    EXPECT_EQ(EncodeUtf7(u"\u00e9"), "+AOk");
    EXPECT_EQ(EncodeUtf7(u"\u00e9a"), "+AOk-a");
    EXPECT_EQ(EncodeUtf7(u"\u00e9."), "+AOk.");
    EXPECT_EQ(EncodeUtf7(u"\u00e9-"), "+AOk--");
    EXPECT_EQ(EncodeUtf7(u"\u00e9/"), "+AOk-/");
    EXPECT_EQ(EncodeUtf7(u"\u00e9 "), "+AOk ");
    // Characters outside the direct sets are shifted too, "+" inside a run is ordinary base64 data.
    EXPECT_EQ(EncodeUtf7(u"~"), "+AH4");
    EXPECT_EQ(EncodeUtf7(u"\u00e9+"), "+AOkAKw");
    EXPECT_EQ(EncodeUtf7(u"\\"), "+AFw");
    // RFC 2152 example: "Hi Mom -<WHITE SMILING FACE>-!"
    EXPECT_EQ(EncodeUtf7(u"Hi Mom -\u263a-!"), "Hi Mom -+Jjo--!");
    // Two shifted units share one run: 32 bits -> 6 sextets (last padded).
    EXPECT_EQ(EncodeUtf7(u"\u65e5\u672c\u8a9e"), "+ZeVnLIqe");
}

TEST(Utf7, DecodesRunsAndTheirEndings) {
    EXPECT_EQ(DecodeUtf7("+AOk"), u"\u00e9");
    EXPECT_EQ(DecodeUtf7("+AOk-a"), u"\u00e9a");
    EXPECT_EQ(DecodeUtf7("+AOk."), u"\u00e9.");
    EXPECT_EQ(DecodeUtf7("Hi Mom -+Jjo--!"), u"Hi Mom -\u263a-!");
    EXPECT_EQ(DecodeUtf7("+ZeVnLIqe-"), u"\u65e5\u672c\u8a9e");
    // A run directly followed by another "+" run.
    EXPECT_EQ(DecodeUtf7("+AOk-+AOk"), u"\u00e9\u00e9");
}

TEST(Utf7, RejectsMalformedInput) {
    EXPECT_EQ(InvalidMessage("+."), "Invalid UTF7");
    EXPECT_EQ(InvalidMessage("a\xe9"), "Invalid UTF7");
    // A byte above 127 ends a run that wrote a unit and is still refused.
    EXPECT_EQ(InvalidMessage("+AOk\xe9"), "Invalid UTF7");
    // Fewer than 16 bits in a run.
    EXPECT_EQ(InvalidMessage("+AO-"), "Invalid UTF7");
    // Left-over bits that are not zero (AOl carries a 1 in the padding).
    EXPECT_EQ(InvalidMessage("+AOl"), "Invalid UTF7");
    // A "+" at the very end opens a run that never holds anything.
    EXPECT_EQ(InvalidMessage("abc+"), "Invalid UTF7");
}

TEST(Utf7, EveryUnitRoundTrips) {
    // Every single unit, including lone surrogates and NUL, and runs mixing direct and shifted text.
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const WideString s{char16_t(c)};
        ASSERT_EQ(DecodeUtf7(EncodeUtf7(s)), s) << "unit " << unsigned(c);
    }
    std::mt19937 rng(42);
    const char16_t pool[] = {u'a', u'+', u'-', u'/', u'.', u' ', u'~', 0xE9, 0x263A, 0xD83D, 0xDE00, u'\\', u'Z', 0};
    for (int round = 0; round < 2000; ++round) {
        WideString s;
        const int len = int(rng() % 12);
        for (int i = 0; i < len; ++i) s += pool[rng() % (sizeof pool / sizeof pool[0])];
        const AnsiString encoded = EncodeUtf7(s);
        for (char ch : encoded) ASSERT_LT(static_cast<unsigned char>(ch), 128u);
        ASSERT_EQ(DecodeUtf7(encoded), s);
    }
}
