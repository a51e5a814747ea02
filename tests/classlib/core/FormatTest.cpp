#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/Format.h"

namespace {

void ExpectFormatError(std::string_view format, std::initializer_list<TVarRec> args) {
    try {
        Format(format, args);
        ADD_FAILURE() << "no error for " << format;
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '" + std::string(format) + "' invalid or incompatible with argument");
    }
}

}  // namespace

TEST(Format, IntegersWithWidthPrecisionAndAlignment) {
    EXPECT_EQ(Format("%d x %d", {640, 480}), "640 x 480");
    EXPECT_EQ(Format("[%5d]", {42}), "[   42]");
    EXPECT_EQ(Format("[%-5d]", {42}), "[42   ]");
    EXPECT_EQ(Format("[%.4d]", {-7}), "[-0007]");
    EXPECT_EQ(Format("[%6.3d]", {7}), "[   007]");
    EXPECT_EQ(Format("%d", {std::numeric_limits<std::int32_t>::min()}), "-2147483648");
    EXPECT_EQ(Format("%d", {std::numeric_limits<std::int64_t>::min()}), "-9223372036854775808");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%u", {std::uint64_t(18446744073709551615ull)}), "18446744073709551615");
    EXPECT_EQ(Format("%x %X", {255, 255}), "FF FF");
    EXPECT_EQ(Format("%.8x", {0x1234}), "00001234");
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(Format("%x", {std::int64_t(-1)}), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%d%%", {50}), "50%");
    EXPECT_EQ(Format("%d", {short(-3)}), "-3");
    EXPECT_EQ(Format("%d", {Byte(200)}), "200");
}

TEST(Format, IndexAndStarTakeArgumentsInTheOrderGiven) {
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b");
    EXPECT_EQ(Format("%s %0:s", {"x"}), "x x");
    EXPECT_EQ(Format("[%*d]", {4, 9}), "[   9]");
    EXPECT_EQ(Format("[%-*d]", {3, 9}), "[9  ]");
    EXPECT_EQ(Format("[%.*f]", {1, 2.25}), "[2.3]");
    EXPECT_EQ(Format("[%*.*s]", {5, 2, "abcdef"}), "[   ab]");
}

TEST(Format, StringsAndCharactersOfEveryKind) {
    const AnsiString ansi = "ansi";
    const WideString wide = u"wide";
    EXPECT_EQ(Format("%s|%s|%s|%s|%s", {ansi, wide, "lit", u"wlit", 'c'}), "ansi|wide|lit|wlit|c");
    EXPECT_EQ(Format("%c%c", {'A', u'B'}), "AB");
    EXPECT_EQ(Format("[%.2s]", {"abcdef"}), "[ab]");
    EXPECT_EQ(Format("[%-6s]", {"ab"}), "[ab    ]");
    EXPECT_EQ(Format("[%s]", {static_cast<const char*>(nullptr)}), "[]");
    // Temporaries live for the whole call.
    EXPECT_EQ(Format("%s-%s", {AnsiString("t1"), WideString(u"t2")}), "t1-t2");
}

TEST(Format, WideFormatWidensAnsiArgumentsThroughTheSystemCodePage) {
    SetSystemAnsiCodePage(1251);
    EXPECT_EQ(WideFormat(u"%s=%d", {AnsiString("\xC0\xE1"), 5}), u"\u0410\u0431=5");
    EXPECT_EQ(Format("%s", {WideString(u"\u0410")}), "\xC0");
    SetSystemAnsiCodePage(1252);
    EXPECT_EQ(WideFormat(u"%s %c %.3x", {u"\u4E2D", u'\u00E9', 10}), u"\u4E2D \u00E9 00A");
    EXPECT_THROW(WideFormat(u"%d %d", {1}), EConvertError);
}

TEST(Format, FloatingValuesRoundHalfAwayFromZeroWithoutTheLocale) {
    EXPECT_EQ(Format("%f", {2.5}), "2.50");
    EXPECT_EQ(Format("%.2f", {2.675}), "2.68");
    EXPECT_EQ(Format("%.2f", {0.125}), "0.13");
    EXPECT_EQ(Format("%.2f", {-0.125}), "-0.13");
    EXPECT_EQ(Format("%.0f", {0.5}), "1");
    EXPECT_EQ(Format("%.0f", {-0.4}), "0");  // rounds to zero: no sign
    EXPECT_EQ(Format("%.1f", {9.96}), "10.0");
    EXPECT_EQ(Format("%.3f", {0.0004}), "0.000");
    EXPECT_EQ(Format("%.2f", {1e20}), "100000000000000000000.00");
    EXPECT_EQ(Format("%e", {1000.0}), "1.00000000000000E+003");
    EXPECT_EQ(Format("%.3e", {-0.00012345}), "-1.23E-004");
    EXPECT_EQ(Format("%.2e", {9.999}), "1.0E+001");
    EXPECT_EQ(Format("%e", {0.0}), "0.00000000000000E+000");
    EXPECT_EQ(Format("%g", {0.1}), "0.1");
    EXPECT_EQ(Format("%g", {1e20}), "1E20");
    EXPECT_EQ(Format("%g", {1.5e-7}), "1.5E-7");
    EXPECT_EQ(Format("%g", {0.0001}), "0.0001");
    EXPECT_EQ(Format("%g", {1.0 / 3}), "0.333333333333333");
    EXPECT_EQ(Format("%.3g", {1234.5}), "1.23E3");
    EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
    EXPECT_EQ(Format("%.0n", {999.5}), "1,000");
    EXPECT_EQ(Format("%n", {-123.0}), "-123.00");
    EXPECT_EQ(Format("%f|%f|%f", {std::nan(""), HUGE_VAL, -HUGE_VAL}), "NAN|INF|-INF");
    EXPECT_EQ(Format("[%8.2f]", {3.14159}), "[    3.14]");
    SetDecimalSeparator(',');
    SetThousandSeparator('.');
    EXPECT_EQ(Format("%.1f %n", {1.25, 1234.5}), "1,3 1.234,50");
    SetDecimalSeparator('.');
    SetThousandSeparator(',');
}

TEST(Format, PointersShowEveryDigitOfTheirWidth) {
    const AnsiString p = Format("%p", {reinterpret_cast<void*>(std::uintptr_t(0xAB))});
    EXPECT_EQ(p.size(), sizeof(void*) * 2);
    EXPECT_EQ(p.substr(p.size() - 3), "0AB");
    EXPECT_EQ(Format("%p", {nullptr}), AnsiString(sizeof(void*) * 2, '0'));
}

TEST(Format, MismatchedMissingAndMalformedSpecifiersRaise) {
    // Kinds that do not fit the specifier.
    ExpectFormatError("%d", {"text"});
    ExpectFormatError("%d", {1.5});
    ExpectFormatError("%d", {true});
    ExpectFormatError("%f", {1});
    ExpectFormatError("%s", {7});
    ExpectFormatError("%s", {false});
    ExpectFormatError("%c", {"ab"});
    ExpectFormatError("%p", {5});
    ExpectFormatError("%x", {'a'});
    // A translated text with more specifiers than the call passes.
    ExpectFormatError("%s of %s", {"one"});
    ExpectFormatError("%d", {});
    ExpectFormatError("%3:d", {1, 2});
    // A star that is not an integer, or takes the last argument away.
    ExpectFormatError("%*d", {"w", 1});
    ExpectFormatError("%*d", {5});
    // Malformed or unknown specifiers.
    ExpectFormatError("100%", {});
    ExpectFormatError("%5", {1});
    ExpectFormatError("%.d", {1});
    ExpectFormatError("%k", {1});
    ExpectFormatError("%m", {1.0});
    ExpectFormatError("%-", {1});
    // Widths that would allocate without bound.
    ExpectFormatError("%99999999999d", {1});
    ExpectFormatError("%*d", {1 << 30, 1});
    ExpectFormatError("%*d", {-3, 1});
    // Surplus arguments are fine.
    EXPECT_EQ(Format("plain", {1, "x"}), "plain");
}
