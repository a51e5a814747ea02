#include <gtest/gtest.h>

#include <vector>

#include "tests/unicode/core/SystemCodePage.h"
#include "unicode/core/PairedStrings.h"

using namespace uni;

namespace {

// An 8-bit property that records every value it is given, as a class-library control would see them.
struct AnsiSide {
    AnsiString value;
    std::vector<AnsiString> history;
    std::function<void(const AnsiString&)> Setter() {
        return [this](const AnsiString& v) {
            value = v;
            history.push_back(v);
        };
    }
};

}  // namespace

TEST(PairedStrings, ReadKeepsTheWideTextWhileTheAnsiSideMatches) {
    unitest::ScopedSystemCodePage cp(1252);
    WideString wide = u"\u041f\u0440";  // not in 1252: its 8-bit form is "??"
    EXPECT_EQ(ReadPairedWideString(wide, "??"), u"\u041f\u0440");
    // The class library changed the 8-bit side by itself: it wins.
    EXPECT_EQ(ReadPairedWideString(wide, "&Open"), u"&Open");
    EXPECT_EQ(wide, u"&Open");
}

TEST(PairedStrings, WriteSetsBothSides) {
    unitest::ScopedSystemCodePage cp(1251);
    AnsiSide ansi;
    WideString wide;
    WritePairedWideString(u"\u041f\u0440\u0438", wide, ansi.value, ansi.Setter());
    EXPECT_EQ(wide, u"\u041f\u0440\u0438");
    EXPECT_EQ(ansi.value, "\xcf\xf0\xe8");
    EXPECT_EQ(ansi.history.size(), 1u);
    // The same value again changes nothing.
    WritePairedWideString(u"\u041f\u0440\u0438", wide, ansi.value, ansi.Setter());
    EXPECT_EQ(ansi.history.size(), 1u);
}

TEST(PairedStrings, WriteForcesAVisibleChangeWhenOnlyTheWideTextDiffers) {
    unitest::ScopedSystemCodePage cp(1252);
    AnsiSide ansi;
    WideString wide;
    WritePairedWideString(u"\u041f", wide, ansi.value, ansi.Setter());
    EXPECT_EQ(ansi.history, (std::vector<AnsiString>{"?"}));
    // U+0416 also becomes "?": the 8-bit side would not change, so it is emptied first.
    WritePairedWideString(u"\u0416", wide, ansi.value, ansi.Setter());
    EXPECT_EQ(ansi.history, (std::vector<AnsiString>{"?", "", "?"}));
    EXPECT_EQ(wide, u"\u0416");
    // A value that survives the code page needs no such step even when the 8-bit text is equal.
    ansi.value = "abc";
    ansi.history.clear();
    wide = u"\u0416";
    WritePairedWideString(u"abc", wide, ansi.value, ansi.Setter());
    EXPECT_EQ(wide, u"abc");
    EXPECT_TRUE(ansi.history.empty()) << "abc was already the synced value";
}
