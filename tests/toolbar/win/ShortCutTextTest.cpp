#include <gtest/gtest.h>

#include <string>

#include "classlib/core/CodePages.h"
#include "classlib/win/Win32.h"
#include "tests/support/CyrillicChild.h"
#include "toolbar/core/ShortCutText.h"
#include "toolbar/core/TTBCustomItem.h"

namespace {

std::string Utf8(const WideString& w) { return Utf8Encode(w); }

}  // namespace

TEST(ShortCutText, ModifiersNameShiftThenCtrlThenAlt) {
    EXPECT_EQ(Utf8(tb::ShortCutText(16463)), "Ctrl+O");
    EXPECT_EQ(Utf8(tb::ShortCutText(scShift | scCtrl | 'Z')), "Shift+Ctrl+Z");
    EXPECT_EQ(Utf8(tb::ShortCutText(scShift | scCtrl | scAlt | 'A')), "Shift+Ctrl+Alt+A");
    EXPECT_EQ(Utf8(tb::ShortCutText(scAlt | '7')), "Alt+7");
    EXPECT_EQ(tb::ShortCutText(0), u"");
    // The item shows the same text, unless its caption carries one after a tab.
    TObjectPtr<TTBCustomItem> item = MakeObject<TTBCustomItem>(nullptr);
    item->SetShortCut(scShift | scCtrl | 'S');
    EXPECT_EQ(Utf8(item->GetShortCutText()), "Shift+Ctrl+S");
}

TEST(ShortCutText, TheClassLibrarysNamedKeys) {
    const struct {
        std::uint16_t key;
        const char* name;
    } keys[] = {{VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
                {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
                {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"}};
    for (const auto& k : keys) {
        EXPECT_EQ(Utf8(tb::ShortCutText(k.key)), k.name);
        EXPECT_EQ(Utf8(tb::ShortCutText(scCtrl | k.key)), std::string("Ctrl+") + k.name);
    }
}

TEST(ShortCutText, OtherKeysAsTheKeyboardNamesThem) {
    // A keypad digit is the layout's character; a layout without one (Wine's) leaves the class library's name.
    const bool layoutHasChar = (MapVirtualKeyA(VK_NUMPAD5, MAPVK_VK_TO_CHAR) & 0x7FFF) == '5';
    EXPECT_EQ(Utf8(tb::ShortCutText(scCtrl | VK_NUMPAD5)), layoutHasChar ? "Ctrl+5" : "Ctrl+Num 5");
    EXPECT_EQ(Utf8(tb::ShortCutText(scAlt | VK_F4)), "Alt+F4");
    EXPECT_EQ(Utf8(tb::ShortCutText(VK_F12)), "F12");
    // The keypad's operators have the class library's names, not the system's (Wine's read "Ctrl+KP_Add"):
    // the zoom items' shortcuts.
    EXPECT_EQ(Utf8(tb::ShortCutText(16491)), "Ctrl+Num +");
    EXPECT_EQ(Utf8(tb::ShortCutText(16493)), "Ctrl+Num -");
    EXPECT_EQ(Utf8(tb::ShortCutText(VK_MULTIPLY)), "Num *");
    EXPECT_EQ(Utf8(tb::ShortCutText(scShift | VK_DIVIDE)), "Shift+Num /");
    EXPECT_EQ(Utf8(tb::ShortCutText(VK_DECIMAL)), "Num Del");
}

TEST(ShortCutTextCyrillic, ChildRunsWithCodePage1251) {
    if (!testsupport::IsCyrillicChild()) GTEST_SKIP() << "runs in the child process only";
    EXPECT_EQ(GetACP(), 1251u);
}

TEST(ShortCutTextCyrillic, ShortCutTextsAreTheSameUnderCodePage1251) {
    if (testsupport::IsCyrillicChild()) GTEST_SKIP() << "the parent's test";
    if (!testsupport::RunsUnderWine()) GTEST_SKIP() << "the ANSI code page follows the Linux locale only under Wine";
    std::string output;
    const int code = testsupport::RunSelfWithCyrillicLocale("ShortCutText.*:ShortCutTextCyrillic.Child*", output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("[       OK ] ShortCutTextCyrillic.ChildRunsWithCodePage1251"), std::string::npos) << output;
    EXPECT_NE(output.find("[  PASSED  ] 4 tests"), std::string::npos) << output;
}
