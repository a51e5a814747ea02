#include <gtest/gtest.h>

#include "unicode/core/HotKeys.h"

using namespace uni;

TEST(HotKeys, TheLastSingleAmpersandMarksTheHotKey) {
    EXPECT_EQ(HotkeyPosW(u"Save &As"), 7);
    EXPECT_EQ(HotkeyCharW(u"Save &As"), u"A");
    EXPECT_EQ(HotkeyPosW(u"&&File"), 0);  // a literal "&"
    EXPECT_EQ(HotkeyCharW(u"&&File"), u"");
    EXPECT_EQ(HotkeyCharW(u"&One &Two"), u"T");
    EXPECT_EQ(HotkeyCharW(u"A&&&B"), u"B");
    EXPECT_EQ(HotkeyCharW(u"Trailing&"), u"");
    EXPECT_EQ(HotkeyCharW(u"\u0424\u0430\u0439&\u043b"), u"\u043b");
}

TEST(HotKeys, StrippingKeepsLiteralAmpersandsAndDropsTheFarEasternGroupOnlyWhenAsked) {
    EXPECT_EQ(StripHotkeyW(u"&Save && &Exit"), u"Save & Exit");
    EXPECT_EQ(StripHotkeyW(u"\u30d5\u30a1\u30a4\u30eb(&F)", true), u"\u30d5\u30a1\u30a4\u30eb");
    EXPECT_EQ(StripHotkeyW(u"\u30d5\u30a1\u30a4\u30eb(&F)", false), u"\u30d5\u30a1\u30a4\u30eb(F)");
    // At the very start the group is the caption itself.
    EXPECT_EQ(StripHotkeyW(u"(&F)", true), u"(F)");
}

TEST(HotKeys, CaptionsCompareWithoutHotKeysAndTypedCharactersIgnoreCase) {
    EXPECT_TRUE(SameCaptionW(u"&\u0424\u0430\u0439\u043b", u"\u0444\u0430\u0439&\u043b"));
    EXPECT_FALSE(SameCaptionCaseW(u"&\u0424\u0430\u0439\u043b", u"\u0444\u0430\u0439&\u043b"));
    EXPECT_TRUE(SameCaptionCaseW(u"&Open", u"Op&en"));
    EXPECT_TRUE(IsHotkeyCharW(u'\u0444', u"&\u0424\u0430\u0439\u043b"));
    EXPECT_TRUE(IsHotkeyCharW(u'a', u"Save &As"));
    EXPECT_FALSE(IsHotkeyCharW(u'S', u"Save &As"));
    EXPECT_FALSE(IsHotkeyCharW(u'&', u"&&"));
}
