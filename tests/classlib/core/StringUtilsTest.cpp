#include <gtest/gtest.h>

#include <limits>

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/Format.h"
#include "classlib/core/StringUtils.h"

TEST(StringUtils, IntegerTextBothWays) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(IntToStr(std::uint32_t(4000000000u)), "4000000000");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(std::int64_t(-2), 1), "FFFFFFFFFFFFFFFE");

    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  -17"), -17);
    EXPECT_EQ(StrToInt("+8"), 8);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    std::int32_t v = 99;
    for (const char* bad : {"", " ", "-", "$", "0x", "12a", "1 ", "2147483648", "-2147483649", "$100000000", "1.5",
                            "99999999999999999999", "--1"}) {
        EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
        EXPECT_EQ(v, 99) << "a failed parse leaves the value alone: " << bad;
        EXPECT_EQ(StrToIntDef(bad, -5), -5);
    }
    try {
        StrToInt("abc");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
    std::int64_t w = 0;
    EXPECT_TRUE(TryStrToInt64("-9223372036854775808", w));
    EXPECT_EQ(w, std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", w));
    EXPECT_TRUE(TryStrToInt64("$FFFFFFFFFFFFFFFF", w));
    EXPECT_EQ(w, -1);
}

TEST(StringUtils, WidenedBytesKeepTheirNumbersFrom0x80Up) {
    // Bytes from 0x80 up are read unsigned: a signed char would give U+FF80, U+FFE9 and U+FFFF.
    EXPECT_EQ(WidenBytes(std::string_view("A\x80\xE9\xFF\0z", 6)), std::u16string(u"A\u0080\u00E9\u00FF\0z", 6));
}

TEST(StringUtils, FloatTextUsesTheSeparatorItIsGiven) {
    EXPECT_EQ(FloatToStr(0.1, '.'), "0.1");
    EXPECT_EQ(FloatToStr(2.5, ','), "2,5");
    EXPECT_EQ(FloatToStr(-1.0, '.'), "-1");
    EXPECT_EQ(FloatToStr(1e15, '.'), "1E15");
    EXPECT_EQ(FloatToStr(123456789012345.0, '.'), "123456789012345");
    EXPECT_EQ(FloatToStr(1e-5, '.'), "1E-5");
    EXPECT_EQ(FloatToStr(0.0, '.'), "0");

    double d = 0;
    EXPECT_TRUE(TryStrToFloat("1.5", d, '.'));
    EXPECT_EQ(d, 1.5);
    EXPECT_TRUE(TryStrToFloat(" -2,25 ", d, ','));
    EXPECT_EQ(d, -2.25);
    EXPECT_TRUE(TryStrToFloat("1e3", d, '.'));
    EXPECT_EQ(d, 1000.0);
    EXPECT_TRUE(TryStrToFloat(".5", d, '.'));
    EXPECT_EQ(d, 0.5);
    EXPECT_TRUE(TryStrToFloat("7.", d, '.'));
    EXPECT_EQ(d, 7.0);
    EXPECT_TRUE(TryStrToFloat("1e-400", d, '.'));
    EXPECT_EQ(d, 0.0);
    d = 3;
    for (const char* bad : {"", ".", "1.5", "1e", "1e+", "e5", "1x", "1e999", "inf", "nan", "1,5,0", "- 1"}) {
        EXPECT_FALSE(TryStrToFloat(bad, d, ',')) << bad;
    }
    EXPECT_EQ(d, 3.0);
    // The separator is taken from the argument, not from the default or any locale.
    EXPECT_FALSE(TryStrToFloat("1,5", d, '.'));
    SetDecimalSeparator(',');
    EXPECT_TRUE(TryStrToFloat("1,5", d));
    EXPECT_EQ(FloatToStr(0.75), "0,75");
    SetDecimalSeparator('.');
    EXPECT_THROW(StrToFloat("x"), EConvertError);
}

TEST(StringUtils, TrimCaseAndComparison) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // a no-break space in 1252 is text, not a blank
    EXPECT_EQ(Trim(std::u16string_view(u" \u00E9 ")), u"\u00E9");
    EXPECT_EQ(Trim("   "), "");

    EXPECT_EQ(UpperCase("abc\xE9z"), "ABC\xE9Z");
    EXPECT_EQ(LowerCase("ABC\xC9"), "abc\xC9");
    EXPECT_EQ(CompareTextAscii("abc", "ABC"), 0);
    EXPECT_LT(CompareTextAscii("abc", "abd"), 0);
    EXPECT_GT(CompareTextAscii("abcd", "ABC"), 0);
    EXPECT_LT(CompareTextAscii("a", "_"), 0);  // folds to upper case: 'A' < '_'
    EXPECT_LT(CompareStr("ABC", "abc"), 0);
    EXPECT_GT(CompareStr("\xE9", "z"), 0);  // bytes compare unsigned
    EXPECT_TRUE(SameTextAscii("Hello", "hELLO"));
    EXPECT_FALSE(SameTextAscii("Hello", "Hell"));

    SetSystemAnsiCodePage(1252);
    EXPECT_EQ(AnsiUpperCase("\xE9t\xE9"), "\xC9T\xC9");
    EXPECT_EQ(AnsiLowerCase("\xC9"), "\xE9");
    EXPECT_EQ(CompareTextSystem("\xE9t\xE9", "\xC9T\xC9"), 0);
    EXPECT_TRUE(SameTextSystem("ABC", "abc"));
    SetSystemAnsiCodePage(1251);
    EXPECT_EQ(AnsiUpperCase("\xE0\xE1\xB8"), "\xC0\xC1\xA8");  // а б ё
    SetSystemAnsiCodePage(1252);
}

TEST(StringUtils, ReplacePositionAndHints) {
    EXPECT_EQ(StringReplace("a.b.c", ".", "::", rfReplaceAll), "a::b::c");
    EXPECT_EQ(StringReplace("a.b.c", ".", "", 0), "ab.c");
    EXPECT_EQ(StringReplace("Abc abc", "ABC", "x", rfReplaceAll | rfIgnoreCase), "x x");
    EXPECT_EQ(StringReplace("abc", "ABC", "x", rfReplaceAll), "abc");
    EXPECT_EQ(StringReplace("aaa", "aa", "a", rfReplaceAll), "aa");  // no rescan of replaced text
    EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
    EXPECT_EQ(StringReplace("xx", "x", "xx", rfReplaceAll), "xxxx");

    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("z", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos(std::u16string_view(u"\u00E9"), std::u16string_view(u"x\u00E9")), 2);

    EXPECT_EQ(GetShortHint("Open|Opens a picture|x"), "Open");
    EXPECT_EQ(GetLongHint("Open|Opens a picture|x"), "Opens a picture|x");
    EXPECT_EQ(GetShortHint("Only"), "Only");
    EXPECT_EQ(GetLongHint("Only"), "Only");
    EXPECT_EQ(GetLongHint("Short|"), "");
    EXPECT_EQ(GetShortHint(std::u16string_view(u"\u00C4|b")), u"\u00C4");
    EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
}
