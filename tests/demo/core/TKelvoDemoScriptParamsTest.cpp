#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "classlib/core/StringUtils.h"
#include "demo/core/TKelvoDemoScript.h"
#include "demo/core/TKelvoDemoScriptParams.h"

namespace {

// A value with its kind: "i:10", "d:1.5", "s:text" (numbers of different kinds must not pass as equal).
using V = AnsiString;

V I(std::int32_t v) { return "i:" + IntToStr(v); }

V D(double v) { return "d:" + FloatToStr(v, '.'); }

V S(const AnsiString& s) { return "s:" + s; }

V Describe(const TVariant& v) {
    switch (v.VarType()) {
        case varInteger: return I(v.AsInteger());
        case varDouble: return D(v.AsDouble());
        case varString: return S(v.AsString());
        default: return "other";
    }
}

std::vector<V> Values(const TKelvoDemoScriptParams& p) {
    std::vector<V> out;
    for (std::int32_t i = 0; i < p.GetCount(); ++i) {
        EXPECT_EQ(p.GetItem(i).Id, i);  // keyed 0, 1, 2 ... in order
        out.push_back(Describe(p.GetAsVariant(i)));
    }
    return out;
}

std::vector<V> Parsed(std::string_view text) {
    TKelvoDemoScriptParams p;
    p.Parse(text);
    return Values(p);
}

}  // namespace

TEST(TKelvoDemoScriptParamsTest, NumbersAreIntegersUnlessTheyHoldAPointOrAnExponent) {
    EXPECT_EQ(Parsed("10, 20"), (std::vector<V>{I(10), I(20)}));
    EXPECT_EQ(Parsed("1.5,-2 , 3E2,1e-1, +7"), (std::vector<V>{D(1.5), I(-2), D(300.0), D(0.1), I(7)}));
    EXPECT_EQ(Parsed(".5, 5., -0.25"), (std::vector<V>{D(0.5), D(5.0), D(-0.25)}));
    // Too large for 32 bits: kept as a number, not wrapped.
    EXPECT_EQ(Parsed("99999999999, -2147483648"), (std::vector<V>{D(99999999999.0), I(-2147483647 - 1)}));
    // Not numbers: words.
    EXPECT_EQ(Parsed("1.2.3, 0x10, 1e, -, 12abc"),
              (std::vector<V>{S("1.2.3"), S("0x10"), S("1e"), S("-"), S("12abc")}));
}

TEST(TKelvoDemoScriptParamsTest, QuotedStringsBooleansAndBareWords) {
    EXPECT_EQ(Parsed("\"Line one\\nLine two\""), (std::vector<V>{S("Line one\r\nLine two")}));
    EXPECT_EQ(Parsed("'a, b', \"it's\", 'say \"hi\"'"), (std::vector<V>{S("a, b"), S("it's"), S("say \"hi\"")}));
    EXPECT_EQ(Parsed("\"back\\slash\\\""), (std::vector<V>{S("back\\slash\\")}));
    EXPECT_EQ(Parsed("true, FALSE, True"), (std::vector<V>{I(-1), I(0), I(-1)}));
    EXPECT_EQ(Parsed("Crop, left side"), (std::vector<V>{S("Crop"), S("left"), S("side")}));
    EXPECT_EQ(Parsed("\"12\""), (std::vector<V>{S("12")}));  // a quoted number stays text
    EXPECT_EQ(Parsed("\xC3\xA9t\xC3\xA9, \"\xD0\x96\""), (std::vector<V>{S("\xC3\xA9t\xC3\xA9"), S("\xD0\x96")}));
}

TEST(TKelvoDemoScriptParamsTest, MalformedInputNeverReadsPastTheText) {
    EXPECT_EQ(Parsed("\"unterminated"), (std::vector<V>{S("unterminated")}));
    EXPECT_EQ(Parsed("'"), (std::vector<V>{S("")}));
    EXPECT_EQ(Parsed("\"ends with backslash\\"), (std::vector<V>{S("ends with backslash\\")}));
    EXPECT_EQ(Parsed("\"a\"b"), (std::vector<V>{S("a"), S("b")}));
    EXPECT_EQ(Parsed("1,,2"), (std::vector<V>{I(1), S(""), I(2)}));
    EXPECT_EQ(Parsed(", 1"), (std::vector<V>{S(""), I(1)}));
    EXPECT_EQ(Parsed("1,"), (std::vector<V>{I(1)}));
    EXPECT_EQ(Parsed(" \t "), (std::vector<V>{}));

    // A second parse replaces the first.
    TKelvoDemoScriptParams p;
    p.Parse("1, 2, 3");
    p.Parse("x");
    EXPECT_EQ(Values(p), (std::vector<V>{S("x")}));
    std::string embedded("a\0b", 3);
    p.Parse(embedded);
    EXPECT_EQ(Values(p), (std::vector<V>{S(embedded)}));
}

TEST(TKelvoDemoScriptParamsTest, HalfAMillionEmptyValuesParseInLinearTime) {
    // Each value used to be stored after a search of every value before it: this line took minutes. The bound
    // is far above the linear parse's time even on a loaded machine, and far below the quadratic one's.
    const std::string text(500000, ',');
    TKelvoDemoScriptParams p;
    const auto start = std::chrono::steady_clock::now();
    p.Parse(text);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(p.GetCount(), 500000);
    EXPECT_EQ(p.GetItem(499999).Id, 499999);
    EXPECT_LT(seconds, 15.0);
}

TEST(TKelvoDemoScriptLineParser, CommandWordIsUpperCasedAndTheRestBecomesParameters) {
    AnsiString word;
    TKelvoDemoScriptParams params;
    ASSERT_TRUE(TKelvoDemoScript::ParseLine("  mousemove 10, 20", word, params));
    EXPECT_EQ(word, "MOUSEMOVE");
    EXPECT_EQ(Values(params), (std::vector<V>{I(10), I(20)}));

    ASSERT_TRUE(TKelvoDemoScript::ParseLine("Message \"Line one\\nLine two\"", word, params));
    EXPECT_EQ(word, "MESSAGE");
    EXPECT_EQ(Values(params), (std::vector<V>{S("Line one\r\nLine two")}));

    ASSERT_TRUE(TKelvoDemoScript::ParseLine("\tClick(OkButton)", word, params));
    EXPECT_EQ(word, "CLICK");
    EXPECT_EQ(Values(params), (std::vector<V>{S("OkButton")}));
    ASSERT_TRUE(TKelvoDemoScript::ParseLine("MouseMove (3, 4) ", word, params));
    EXPECT_EQ(Values(params), (std::vector<V>{I(3), I(4)}));
    ASSERT_TRUE(TKelvoDemoScript::ParseLine("Pause(", word, params));
    EXPECT_EQ(word, "PAUSE");
    EXPECT_EQ(params.GetCount(), 0);

    // A word alone clears what the bag held before.
    ASSERT_TRUE(TKelvoDemoScript::ParseLine("Pause", word, params));
    EXPECT_EQ(word, "PAUSE");
    EXPECT_EQ(params.GetCount(), 0);
}

TEST(TKelvoDemoScriptLineParser, CommentsAndEmptyLinesPlayNothing) {
    AnsiString word;
    TKelvoDemoScriptParams params;
    for (const char* line : {"", "   \t", "# note", "*star", "// slashes", "/x", "; old", "  #indented"}) {
        params.SetInteger(0, 1);
        EXPECT_FALSE(TKelvoDemoScript::ParseLine(line, word, params)) << line;
        EXPECT_EQ(params.GetCount(), 0) << line;
    }
}
