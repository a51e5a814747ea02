// Typing in themed edit fields: what counts as typing, and which line completes the typed text.
#include <gtest/gtest.h>

#include <vector>

#include "themed/core/EditTyping.h"

using namespace skin;

TEST(EditTyping, PrintableKeys) {
    for (unsigned vk : {0x20u, 0x30u, 0x5Au, 0x60u, 0x6Fu, 0xBAu, 0xF5u}) EXPECT_TRUE(IsPrintableKey(vk)) << vk;
    for (unsigned vk : {0x08u, 0x0Du, 0x25u, 0x2Eu, 0x5Bu, 0x70u, 0xB9u, 0xF6u}) EXPECT_FALSE(IsPrintableKey(vk)) << vk;
}

TEST(EditTyping, RepeatedKeyDownsCountOnce) {
    TTypedKeys keys;
    for (int i = 0; i < 5; ++i) keys.KeyDown('A');  // auto-repeat
    keys.KeyDown(0x25);                             // an arrow key is no typing
    EXPECT_EQ(keys.Count(), 1);
    keys.KeyUp('A');
    EXPECT_FALSE(keys.Typing());
}

TEST(EditTyping, AKeyReleasedAfterTheFocusLeftIsForgotten) {
    TTypedKeys keys;
    keys.KeyDown('A');
    keys.KeyDown('B');
    keys.Reset();  // focus lost; the key-ups go elsewhere
    EXPECT_FALSE(keys.Typing());
}

namespace {
std::vector<std::u16string> kLines = {u"Alpha", u"al", u"Альфа", u"alp", u"alx", u"Al"};
auto Line = [](int i) { return kLines[static_cast<std::size_t>(i)]; };
// A case-blind prefix test over ASCII and Cyrillic, as the locale compares.
char16_t Fold(char16_t c) {
    if (c >= u'A' && c <= u'Z') return char16_t(c + 32);
    if (c >= 0x0410 && c <= 0x042F) return char16_t(c + 32);
    return c;
}
bool Prefix(const std::u16string& line, const std::u16string& typed) {
    for (std::size_t i = 0; i < typed.size(); ++i)
        if (Fold(line[i]) != Fold(typed[i])) return false;
    return true;
}
}  // namespace

TEST(EditTyping, ShortestMatchingLineWinsEarlierOnTies) {
    const int n = static_cast<int>(kLines.size());
    EXPECT_EQ(FindCompletion(u"alp", Line, n, Prefix), 3);  // "alp" exact ends the search before "alx"
    EXPECT_EQ(FindCompletion(u"AL", Line, n, Prefix), 1);   // "al" beats the later "Al"
    EXPECT_EQ(FindCompletion(u"alph", Line, n, Prefix), 0);
    EXPECT_EQ(FindCompletion(u"аль", Line, n, Prefix), 2);
    EXPECT_EQ(FindCompletion(u"", Line, n, Prefix), -1);
    EXPECT_EQ(FindCompletion(u"alphabet", Line, n, Prefix), -1);
}

TEST(EditTyping, TheCompletedRemainderStaysSelected) {
    const TTextSelection s = CompletionSelection(u"ал", u"Альфа");
    EXPECT_EQ(s.start, 2);
    EXPECT_EQ(s.end, 5);
}
