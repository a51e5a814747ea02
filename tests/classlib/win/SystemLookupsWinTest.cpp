// Shortcut texts and colours with the system's own key names and colours installed.
#include <gtest/gtest.h>

#include "classlib/core/TColor.h"
#include "classlib/core/TShortCut.h"
#include "classlib/win/SystemLookups.h"
#include "classlib/win/Win32.h"

namespace {

class SystemLookups : public ::testing::Test {
protected:
    void SetUp() override {
        classlib::UseSystemKeyNames();
        classlib::UseSystemColors();
    }
    void TearDown() override {
        SetKeyNameLookup(nullptr);
        SetSysColorLookup(nullptr);
    }
};

TEST_F(SystemLookups, ShortCutTextUsesTheLayoutForLettersAndOwnNamesForNamedKeys) {
    EXPECT_EQ(ShortCutToText(ShortCut('A', {ssCtrl, ssShift})), "Shift+Ctrl+A");
    EXPECT_EQ(ShortCutToText(ShortCut('5', {ssAlt})), "Alt+5");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {ssCtrl})), "Ctrl+Del");
    EXPECT_EQ(ShortCutToText(VK_RETURN), "Enter");
    EXPECT_EQ(ShortCutToText(VK_F5), "F5");
    // The system's names of the other keys differ between platforms (Wine's "KP_Add"): the library's own.
    EXPECT_EQ(ShortCutToText(16491), "Ctrl+Num +");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_SUBTRACT, {ssCtrl})), "Ctrl+Num -");
    EXPECT_EQ(ShortCutToText(VK_NUMPAD3), "Num 3");
}

TEST_F(SystemLookups, SystemColoursComeFromTheSystem) {
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<std::int32_t>(::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clHighlightText), static_cast<std::int32_t>(::GetSysColor(COLOR_HIGHLIGHTTEXT)));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
}

}  // namespace
