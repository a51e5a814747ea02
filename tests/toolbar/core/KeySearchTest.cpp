#include <gtest/gtest.h>

#include "toolbar/core/KeySearch.h"

using namespace tb;

namespace {

bool SameAscii(char16_t a, char16_t b) {
    const auto up = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
    return up(a) == up(b);
}

TKeySearchItem Item(char16_t accel, char16_t first, bool enabled = true, bool candidate = true) {
    return TKeySearchItem{candidate, enabled, accel, first};
}

}  // namespace

TEST(KeySearch, PassesAndOnlyMatch) {
    // 0 "&Open", 1 "&Print" disabled, 2 "Paste" (no accelerator), 3 "&Options", 4 "Save" hidden, 5 "sort"
    const std::vector<TKeySearchItem> items = {Item(u'O', u'O'), Item(u'P', u'P', false),    Item(0, u'P'),
                                               Item(u'O', u'O'), Item(0, u'S', true, false), Item(0, u's')};
    struct Case {
        int from;
        char16_t key;
        bool accelOnly;
        int index;
        bool only;
    };
    const Case cases[] = {
        {-1, u'o', false, 0, false},  // two enabled items share the accelerator
        {0, u'O', false, 3, false},   // cyclic from the one after the selection
        {3, u'o', false, 0, false},
        {-1, u'p', false, 1, true},   // accelerators of disabled items come before first letters
        {-1, u's', false, 5, true},   // first letter; the hidden "Save" does not count
        {-1, u's', true, -1, false},  // accelerators only
        {-1, u'x', false, -1, false},
        {-1, u' ', false, -1, false},
    };
    for (const Case& c : cases) {
        const auto r = FindViewerByKey(items, c.from, c.key, c.accelOnly, SameAscii);
        EXPECT_EQ(r.index, c.index) << static_cast<int>(c.key) << " from " << c.from;
        EXPECT_EQ(r.onlyMatch, c.only) << static_cast<int>(c.key) << " from " << c.from;
    }
    // The first letter never matches a caption that has an accelerator, nor a blank caption by space.
    EXPECT_EQ(FindViewerByKey({Item(u'x', u'O')}, -1, u'o', false, SameAscii).index, -1);
    EXPECT_EQ(FindViewerByKey({Item(0, u' ')}, -1, u' ', false, SameAscii).index, -1);
    // A single enabled match is the only one even when searched from itself.
    const auto self = FindViewerByKey({Item(u'A', u'A'), Item(0, u'B')}, 0, u'a', false, SameAscii);
    EXPECT_EQ(self.index, 0);
    EXPECT_TRUE(self.onlyMatch);
    EXPECT_EQ(FindViewerByKey({}, -1, u'a', false, SameAscii).index, -1);
}
