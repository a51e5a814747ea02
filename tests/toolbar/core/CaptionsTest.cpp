#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "classlib/core/TList.h"
#include "toolbar/core/Captions.h"
#include "toolbar/core/Lists.h"
#include "toolbar/core/MenuSettings.h"
#include "toolbar/core/RotatedCaption.h"
#include "toolbar/core/TBItemOptions.h"

using namespace tb;

TEST(Captions, AcceleratorsAndTheirMarks) {
    EXPECT_EQ(FindAccelChar(u"&File"), u'F');
    EXPECT_EQ(FindAccelChar(u"Save &As &Copy"), u'C');  // the last single mark
    EXPECT_EQ(FindAccelChar(u"Fish && &Chips"), u'C');
    EXPECT_EQ(FindAccelChar(u"A&&B"), 0);
    EXPECT_EQ(FindAccelChar(u"&&&x"), u'x');
    EXPECT_EQ(FindAccelChar(u"Trailing&"), 0);
    EXPECT_EQ(FindAccelChar(u"&"), 0);
    EXPECT_EQ(FindAccelChar(u""), 0);
    EXPECT_EQ(FindAccelChar(u"&\U0001F600"), 0);  // half a surrogate pair is no key

    EXPECT_EQ(StripAccelChars(u"&Save && E&xit&"), u"Save & Exit");
    EXPECT_EQ(StripAccelChars(u"&&&"), u"&");
    EXPECT_EQ(EscapeAmpersandsW(u"C:\\A&B.jpg"), u"C:\\A&&B.jpg");
    EXPECT_EQ(StripAccelChars(EscapeAmpersandsW(u"A&&B&")), u"A&&B&");

    // A lead byte and its trail byte are one character: a trail byte of '&' is no mark.
    const auto lead = [](unsigned char b) { return b >= 0x81 && b <= 0x9F; };
    EXPECT_EQ(StripAccelChars("\x81&&x&y", +lead), "\x81&xy");
    EXPECT_EQ(StripAccelChars("a&\x81", +lead), "a\x81");
    EXPECT_EQ(StripAccelChars("a\x81", +lead), "a\x81");  // a lead byte at the end stays
}

TEST(Captions, PunctuationHintsAndDivision) {
    EXPECT_EQ(StripTrailingPunctuationW(u"Name:"), u"Name");
    EXPECT_EQ(StripTrailingPunctuationW(u":"), u":");
    EXPECT_EQ(StripTrailingPunctuationW(u"Open..."), u"Open");
    EXPECT_EQ(StripTrailingPunctuationW(u"..."), u"...");
    EXPECT_EQ(StripTrailingPunctuationW(u"a..."), u"a");
    EXPECT_EQ(StripTrailingPunctuationW(u"a:..."), u"a:");  // one rule only

    EXPECT_EQ(GetShortHintW(u"Open|Opens a file"), u"Open");
    EXPECT_EQ(GetLongHintW(u"Open|Opens a file|x"), u"Opens a file|x");
    EXPECT_EQ(GetShortHintW(u"Open"), u"Open");
    EXPECT_EQ(GetLongHintW(u"Open"), u"");
    EXPECT_EQ(GetLongHintW(u"Open|"), u"");
    EXPECT_EQ(GetShortHintW(u"|Long"), u"");

    EXPECT_EQ(DivRoundUp(7, 2), 4);
    EXPECT_EQ(DivRoundUp(6, 2), 3);
    EXPECT_EQ(DivRoundUp(-7, 2), -4);
    EXPECT_EQ(DivRoundUp(7, -2), -4);
    EXPECT_EQ(DivRoundUp(-7, -2), 4);
    EXPECT_THROW(DivRoundUp(1, 0), EDivByZero);
    EXPECT_THROW(DivRoundUp(INT32_MIN, -1), EIntOverflow);
}

TEST(Captions, EscapedAnsi) {
    EXPECT_EQ(WideToEscapedAnsi(u"a\\b \u00e9\u0416\u20ac", 1252), "a\\\\b \xe9\\#416;\x80");
    EXPECT_EQ(WideToEscapedAnsi(u"\u0416\u00e9\u00ff\U0001F600", 1251), "\xc6\\#E9;\\#FF;\\#D83D;\\#DE00;");
}

TEST(Captions, RotatedCaptionPrefixesAndEllipsis) {
    // Ten pixels per character.
    const TTextWidthFn width = [](const WideString& t) { return int(t.size()) * 10; };
    TRotatedCaption c = LayoutRotatedCaption(u"&File && E&xit", 0, 1000, width);
    EXPECT_EQ(c.text, u"File & Exit");
    EXPECT_EQ(c.accelIndex, 8);
    c = LayoutRotatedCaption(u"&File", kDtNoPrefix, 1000, width);
    EXPECT_EQ(c.text, u"&File");
    EXPECT_EQ(c.accelIndex, -1);

    // 60 pixels: "abc" + "..." fits.
    c = LayoutRotatedCaption(u"abcdefgh", kDtEndEllipsis, 60, width);
    EXPECT_EQ(c.text, u"abc...");
    c = LayoutRotatedCaption(u"abcdefgh", kDtEndEllipsis, 80, width);
    EXPECT_EQ(c.text, u"abcdefgh");  // fits as it is
    c = LayoutRotatedCaption(u"abcde&fgh", kDtEndEllipsis, 60, width);
    EXPECT_EQ(c.text, u"abc...");
    EXPECT_EQ(c.accelIndex, -1);  // beyond what is kept
    c = LayoutRotatedCaption(u"a&bcdefgh", kDtEndEllipsis, 60, width);
    EXPECT_EQ(c.accelIndex, 1);
    c = LayoutRotatedCaption(u"abcdefgh", kDtEndEllipsis, 20, width);
    EXPECT_EQ(c.text, u"a...");  // one character is left
    c = LayoutRotatedCaption(u"abcdefgh", kDtEndEllipsis, 2, width);
    EXPECT_EQ(c.text, u"a...");
    c = LayoutRotatedCaption(u"x", kDtEndEllipsis, 2, width);
    EXPECT_EQ(c.text, u"x");  // a single character is never cut
}

TEST(Captions, MenuShowDelayFromTheRegistry) {
    EXPECT_EQ(MenuShowDelayFromRegistry(false, false, ""), 400);
    EXPECT_EQ(MenuShowDelayFromRegistry(true, false, "100"), 0);
    EXPECT_EQ(MenuShowDelayFromRegistry(true, true, "250"), 250);
    EXPECT_EQ(MenuShowDelayFromRegistry(true, true, "-5"), 0);
    EXPECT_EQ(MenuShowDelayFromRegistry(true, true, "fast"), 0);
    EXPECT_EQ(MenuShowDelayFromRegistry(true, true, "99999999999"), 0);
}

TEST(Captions, OptionRules) {
    EXPECT_EQ(NormalizeOptions({tboToolbarSize}), TTBItemOptions{});
    EXPECT_EQ(NormalizeOptions({tboToolbarSize, tboToolbarStyle}), (TTBItemOptions{tboToolbarSize, tboToolbarStyle}));
    EXPECT_FALSE(OptionsChangeNeedsResize({tboShowHint}, {tboNoAutoHint, tboLongHintInMenuOnly}));
    EXPECT_TRUE(OptionsChangeNeedsResize({tboShowHint}, {tboShowHint, tboSameWidth}));
    EXPECT_TRUE(OptionsChangeNeedsResize({tboDefault}, {}));
}

namespace {
int CompareWithDirection(void* a, void* b, void* extra) {
    const int d = *static_cast<int*>(extra);
    const int x = *static_cast<int*>(a), y = *static_cast<int*>(b);
    return d * ((x > y) - (x < y));
}
}  // namespace

TEST(Lists, ListsComeAndGoWithTheirItems) {
    int v[5] = {3, 1, 4, 1, 5};
    std::unique_ptr<std::vector<int*>> list;
    RemoveFromList(list, &v[0]);  // a null list is left alone
    EXPECT_TRUE(AddToList(list, &v[0]));
    EXPECT_FALSE(AddToList(list, &v[0]));
    EXPECT_TRUE(AddToFrontOfList(list, &v[1]));
    EXPECT_FALSE(AddToFrontOfList(list, &v[0]));
    EXPECT_EQ(*list, (std::vector<int*>{&v[1], &v[0]}));
    RemoveFromList(list, &v[1]);
    RemoveFromList(list, &v[0]);
    EXPECT_EQ(list, nullptr);

    TList sorted;
    for (int& x : v) sorted.Add(&x);
    int descending = -1;
    ListSortEx(sorted, &CompareWithDirection, &descending);
    std::vector<int> got;
    for (int i = 0; i < sorted.Count(); ++i) got.push_back(*static_cast<int*>(sorted.Get(i)));
    EXPECT_EQ(got, (std::vector<int>{5, 4, 3, 1, 1}));
}
