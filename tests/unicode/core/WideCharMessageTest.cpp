#include <gtest/gtest.h>

#include "unicode/core/DefaultFormFont.h"
#include "unicode/core/WideCharMessage.h"

using namespace uni;

namespace {

TMessage Char(std::uintptr_t wParam) {
    TMessage m;
    m.Msg = 0x0102;  // WM_CHAR
    m.WParam = wParam;
    return m;
}

TEST(WideCharMessage, CharactersFrom256OnTravelInTheHighWordBehind255) {
    TMessage m = Char(0x03A9);
    PackWideCharMessage(m);
    EXPECT_EQ(m.WParam, 0x03A900FFu);
    EXPECT_EQ(WideCharOfMessage(m), u'\u03a9');
    PackWideCharMessage(m);  // packing twice changes nothing
    EXPECT_EQ(m.WParam, 0x03A900FFu);
    UnpackWideCharMessage(m);
    EXPECT_EQ(m.WParam, 0x03A9u);
    EXPECT_EQ(WideCharOfMessage(m), u'\u03a9');
}

TEST(WideCharMessage, EightBitCharactersStayAsTheyAre) {
    for (std::uintptr_t ch : {std::uintptr_t{'A'}, std::uintptr_t{0xE9}, std::uintptr_t{0xFF}}) {
        TMessage m = Char(ch);
        PackWideCharMessage(m);
        EXPECT_EQ(m.WParam, ch);
        EXPECT_EQ(WideCharOfMessage(m), static_cast<WideChar>(ch));
        UnpackWideCharMessage(m);
        EXPECT_EQ(m.WParam, ch);
    }
    // A stray high word without the marker is cleared on restoring, and never read as the character.
    TMessage stray = Char(0x12340041);
    EXPECT_EQ(WideCharOfMessage(stray), u'A');
    UnpackWideCharMessage(stray);
    EXPECT_EQ(stray.WParam, 0x41u);
}

TEST(WideCharMessage, SettingTheCharacterPacksOnlyWideOnes) {
    TMessage m = Char(0x03A900FF);
    SetWideCharOfMessage(m, u'x');
    EXPECT_EQ(m.WParam, std::uintptr_t{'x'});
    SetWideCharOfMessage(m, u'\u0416');
    EXPECT_EQ(m.WParam, 0x041600FFu);
    EXPECT_EQ(WideCharOfMessage(m), u'\u0416');
}

TEST(DefaultFormFont, NewerSystemsUseSegoeUiWhereInstalledElseTahoma) {
    const TDefaultFormFont segoe = ChooseDefaultFormFont(6, true);
    EXPECT_TRUE(segoe.UseDefaultFont);
    EXPECT_EQ(segoe.Name, "Segoe UI");
    EXPECT_EQ(segoe.Size, 9);
    const TDefaultFormFont tahoma = ChooseDefaultFormFont(6, false);
    EXPECT_TRUE(tahoma.UseDefaultFont);
    EXPECT_EQ(tahoma.Name, "Tahoma");
    EXPECT_EQ(tahoma.Size, 8);
    // Version 5 keeps the forms' own fonts, Segoe UI or not.
    EXPECT_FALSE(ChooseDefaultFormFont(5, true).UseDefaultFont);
}

}  // namespace
