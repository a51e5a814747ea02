#include <gtest/gtest.h>

#include "unicode/core/AutoCompleteMatch.h"

using namespace uni;

TEST(AutoCompleteMatch, SearchTextCollectsQuickKeysAndStartsAfreshAfterTheDelay) {
    TAutoCompleteSearch search;
    EXPECT_EQ(search.Candidate(u'\u0416', 1000), u"\u0416");
    search.Accept(u'\u0416', 1000);
    EXPECT_EQ(search.Candidate(u'\u0443', 2250), u"\u0416\u0443");  // exactly the delay: still one search
    search.Accept(u'\u0443', 2250);
    search.Backspace();
    EXPECT_EQ(search.Text(), u"\u0416");
    EXPECT_EQ(search.Candidate(u'a', 3501), u"a");
    // The tick count wraps round.
    search.Accept(u'a', 0xFFFFFF00u);
    EXPECT_EQ(search.Candidate(u'b', 0x100), u"ab");
}

TEST(AutoCompleteMatch, FirstItemByPrefixIgnoringCaseAndTheCompletedRestSelected) {
    const std::vector<WideString> items{u"Apple", u"\u0416\u0443\u043a", u"\u0436\u0443\u0440\u043d\u0430\u043b"};
    EXPECT_EQ(FindItemByPrefix(items, u"\u0436\u0443"), 1);
    EXPECT_EQ(FindItemByPrefix(items, u"\u0436\u0443\u0440"), 2);
    EXPECT_EQ(FindItemByPrefix(items, u"apples"), -1);
    EXPECT_EQ(FindItemByPrefix(items, u""), -1);
    const TCompletion c = CompleteTyped(u"\u0436\u0443", items[1]);
    EXPECT_EQ(c.text, u"\u0436\u0443\u043a");
    EXPECT_EQ(c.selStart, 2);
    EXPECT_EQ(c.selLength, 1);
}
