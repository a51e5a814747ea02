// The message box's layout and the JPEG dialog's quality rules.
#include <gtest/gtest.h>

#include "app/core/KelvoJPEGQuality.h"
#include "app/core/KelvoMessageBoxLayout.h"

TEST(MessageBoxLayout, ThreeButtonsUnderAFullWidthTextAreCentredWithoutAnIcon) {
    const TKelvoMessageBoxLayout layout = KelvoLayoutMessageBox({.TextWidth = 400, .TextHeight = 39, .ButtonCount = 3});
    EXPECT_EQ(layout.ClientWidth, 432);
    EXPECT_EQ(layout.ClientHeight, 39 + 66);
    EXPECT_EQ(layout.Text, (TKelvoRect{16, 16, 416, 55}));
    ASSERT_EQ(layout.Buttons.size(), 3u);
    EXPECT_EQ(layout.Buttons[0], (TKelvoRect{58, 71, 158, 95}));
    EXPECT_EQ(layout.Buttons[1].Left, 166);
    EXPECT_EQ(layout.Buttons[2].Left, 274);
}

TEST(MessageBoxLayout, IconAndCheckBoxMoveTheTextRightAndTheButtonsDown) {
    // A 32-pixel icon beside one line of 13 pixels: the text is centred on the icon, the check box sits
    // under the taller of the two, the buttons under the check box.
    const TKelvoMessageBoxLayout layout = KelvoLayoutMessageBox({.TextWidth = 150,
                                                                 .TextHeight = 13,
                                                                 .HasIcon = true,
                                                                 .IconWidth = 32,
                                                                 .IconHeight = 32,
                                                                 .ButtonCount = 2,
                                                                 .HasCheckBox = true,
                                                                 .CheckBoxHeight = 17});
    EXPECT_EQ(layout.ClientWidth, 32 + 208 + 48);  // the buttons are wider than the text
    EXPECT_EQ(layout.ClientHeight, 32 + 66 + 17);
    EXPECT_EQ(layout.Icon, (TKelvoRect{16, 16, 48, 48}));
    EXPECT_EQ(layout.Text, (TKelvoRect{64, 16 + 9, 214, 16 + 9 + 13}));
    EXPECT_EQ(layout.CheckBox, (TKelvoPoint{64, 56}));
    EXPECT_EQ(layout.Buttons[0], (TKelvoRect{40, 81, 140, 105}));
    EXPECT_EQ(layout.Buttons[1].Left, 148);
}

TEST(MessageBoxLayout, CheckBoxWithoutIconAndABoxWithoutButtons) {
    const TKelvoMessageBoxLayout layout = KelvoLayoutMessageBox(
        {.TextWidth = 80, .TextHeight = 26, .ButtonCount = 0, .HasCheckBox = true, .CheckBoxHeight = 17});
    EXPECT_EQ(KelvoMessageBoxButtonsWidth(0), 0);
    EXPECT_EQ(layout.ClientWidth, 112);
    EXPECT_EQ(layout.ClientHeight, 26 + 66 + 17);
    EXPECT_EQ(layout.CheckBox, (TKelvoPoint{16, 46}));
    EXPECT_TRUE(layout.Buttons.empty());
}

TEST(JPEGQuality, PresetIndexIsTheHighestPresetNotAboveTheValue) {
    EXPECT_EQ(JPEGPresetIndex(-5), 0);
    EXPECT_EQ(JPEGPresetIndex(9), 0);
    EXPECT_EQ(JPEGPresetIndex(10), 0);
    EXPECT_EQ(JPEGPresetIndex(29), 0);
    EXPECT_EQ(JPEGPresetIndex(30), 1);
    EXPECT_EQ(JPEGPresetIndex(75), 2);
    EXPECT_EQ(JPEGPresetIndex(80), 3);
    EXPECT_EQ(JPEGPresetIndex(99), 3);
    EXPECT_EQ(JPEGPresetIndex(100), 4);
}

TEST(JPEGQuality, OnlyATrimmedDecimalNumberInRangeIsAQuality) {
    EXPECT_EQ(ParseJPEGQualityText(u"  75 "), 75);
    EXPECT_EQ(ParseJPEGQualityText(u"+007"), 7);
    EXPECT_EQ(ParseJPEGQualityText(u"-2147483648"), INT32_MIN);
    for (const char16_t* bad :
         {u"", u"  ", u"-", u"7 5", u"$10", u"0x10", u"12.5", u"2147483648", u"99999999999999999999"})
        EXPECT_EQ(ParseJPEGQualityText(bad), std::nullopt)
            << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    EXPECT_TRUE(IsJPEGQualityText(u"0"));
    EXPECT_TRUE(IsJPEGQualityText(u"100"));
    EXPECT_FALSE(IsJPEGQualityText(u"101"));
    EXPECT_FALSE(IsJPEGQualityText(u"-1"));
}

TEST(JPEGQuality, ARefusedTextIsClampedAndNothingBecomesZero) {
    EXPECT_EQ(ClampJPEGQualityText(u"150"), 100);
    EXPECT_EQ(ClampJPEGQualityText(u"-20"), 0);
    EXPECT_EQ(ClampJPEGQualityText(u"abc"), 0);
    EXPECT_EQ(ClampJPEGQualityText(u"99999999999"), 0);
    EXPECT_EQ(ClampJPEGQualityText(u"64"), 64);
}
