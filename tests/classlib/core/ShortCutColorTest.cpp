// Shortcut values and texts, and colour resolution.
#include <gtest/gtest.h>

#include "classlib/core/TColor.h"
#include "classlib/core/ShortCutModifiers.h"
#include "classlib/core/TShortCut.h"

namespace {

TEST(ShortCut, ValuesAndSplitting) {
    EXPECT_EQ(ShortCut('O', {ssCtrl}), 16463);
    EXPECT_EQ(ShortCut('D', {ssCtrl, ssShift}), 24644);
    EXPECT_EQ(ShortCut('P', {ssCtrl, ssLeft}), 16464);
    EXPECT_EQ(ShortCut(0x70, {ssAlt}), 0x8070);
    EXPECT_EQ(ShortCut(0x100, {}), 0);
    std::uint16_t key;
    TShiftState shift;
    ShortCutToKey(24644, key, shift);
    EXPECT_EQ(key, 'D');
    EXPECT_EQ(shift, (TShiftState{ssCtrl, ssShift}));
}

TEST(ShortCut, TextNamesShiftCtrlAltThenTheKey) {
    EXPECT_EQ(ShortCutToText(ShortCut('A', {ssCtrl, ssShift})), "Shift+Ctrl+A");
    EXPECT_EQ(ShortCutToText(ShortCut('1', {ssAlt, ssCtrl, ssShift})), "Shift+Ctrl+Alt+1");
    EXPECT_EQ(ShortCutToText(ShortCut(0x2E, {ssCtrl})), "Ctrl+Del");
    EXPECT_EQ(ShortCutToText(0x08), "BkSp");
    EXPECT_EQ(ShortCutToText(ShortCut(0x22, {ssShift})), "Shift+PgDn");
    EXPECT_EQ(ShortCutToText(0x25), "Left");
    EXPECT_EQ(ShortCutToText(0x1B), "Esc");
    EXPECT_EQ(ShortCutToText(0x7B), "F12");
    EXPECT_EQ(ShortCutToText(0x67), "Num 7");
    EXPECT_EQ(ShortCutToText(ShortCut(0xE5, {ssCtrl})), "");  // no name: no text
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST(ShortCut, TextParsesBack) {
    for (TShortCut sc : {TShortCut(16463), TShortCut(24644), TShortCut(0x8070), TShortCut(0x0D), TShortCut(0x602E)})
        EXPECT_EQ(TextToShortCut(ShortCutToText(sc)), sc) << sc;
    EXPECT_EQ(TextToShortCut("ctrl+shift+d"), 24644);
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
}

TEST(ShortCut, ModifierNamesComeFromOnePlaceAndParseBack) {
    SetShortCutModifierNames("Umschalt+", "Strg+", "Alt+");
    EXPECT_EQ(ShortCutToText(ShortCut(0x6B, {ssCtrl})), "Strg+Num +");
    EXPECT_EQ(ShortCutModifiersText(ShortCut('Z', {ssShift, ssCtrl, ssAlt})), "Umschalt+Strg+Alt+");
    EXPECT_EQ(TextToShortCut("Strg+Umschalt+D"), 24644);
    // English texts (typed or stored) are read back in every language.
    EXPECT_EQ(TextToShortCut("Ctrl+D"), 16452);
    SetShortCutModifierNames("Shift+", "Ctrl+", "Alt+");
    EXPECT_EQ(ShortCutToText(ShortCut(0x6D, {ssCtrl})), "Ctrl+Num -");
}

AnsiString FrenchNames(std::uint16_t key) { return key == 'A' ? "Q" : DefaultKeyName(key); }

TEST(ShortCut, OtherKeyNamesComeFromTheInstalledLookup) {
    SetKeyNameLookup(&FrenchNames);
    EXPECT_EQ(ShortCutToText(ShortCut('A', {ssCtrl})), "Ctrl+Q");
    // The named keys stay the class library's own.
    EXPECT_EQ(ShortCutToText(0x0D), "Enter");
    SetKeyNameLookup(nullptr);
    EXPECT_EQ(ShortCutToText(ShortCut('A', {ssCtrl})), "Ctrl+A");
}

std::uint32_t Fixed(int index) { return 0xAB000000u | std::uint32_t(index); }

TEST(Color, SystemColoursAreLookedUpOthersPassThrough) {
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
    EXPECT_LT(clBtnFace, 0);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clWindowText), 0);
    SetSysColorLookup(&Fixed);
    // The high byte of the source is masked off.
    EXPECT_EQ(ColorToRGB(clHighlight), 0x00000D);
    EXPECT_EQ(ColorToRGB(clMenuBar), 30);
    SetSysColorLookup(nullptr);
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<std::int32_t>(DefaultSysColor(15)));
    EXPECT_EQ(RGBColor(1, 2, 3), 0x030201);
    EXPECT_EQ(GetGValue(0x030201), 2);
}

}  // namespace
