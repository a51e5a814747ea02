// Unicode menu items in a real native popup menu: wide captions with their shortcut texts, hot keys by the
// layer's rules, wide hints through the popup list, and wide action texts.
#include "classlib/win/TMainMenu.h"
#include "classlib/win/TPopupMenu.h"
#include "classlib/win/WideChars.h"
#include "tests/unicode/gui/UniGuiTestSupport.h"
#include "unicode/core/HotKeys.h"
#include "unicode/win/ShortCutTextW.h"
#include "unicode/win/TUniForm.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "unicode/win/TUniPopupList.h"

using namespace formtest;
using namespace unigui;

namespace {

WideString MenuTextW(HMENU menu, int position) {
    wchar_t buf[128] = {};
    const int n = ::GetMenuStringW(menu, static_cast<UINT>(position), buf, 128, MF_BYPOSITION);
    return FromWideChars(buf, static_cast<std::size_t>(n));
}

class UniMenus : public UniGuiTest {
protected:
    TPopupMenu* menu_ = nullptr;
    void SetUp() override {
        UniGuiTest::SetUp();
        menu_ = Create<TPopupMenu>(Owner());
    }
    TUniMenuItem* AddItem(const WideString& caption, TShortCut shortCut = 0) {
        auto* item = Create<TUniMenuItem>(Owner());
        item->SetCaption(caption);
        item->SetShortCut(shortCut);
        menu_->Items()->Add(item);
        return item;
    }
    // What the system does before it shows the menu.
    HMENU OpenMenu() {
        HMENU handle = menu_->Items()->Handle();
        ::SendMessageW(PopupList->Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle), 0);
        return handle;
    }
};

TEST_F(UniMenus, AMenuOfSeveralItemsShowsTheWideCaptionsAndTheirHotKeys) {
    ASSERT_NE(dynamic_cast<TUniPopupList*>(PopupList), nullptr);
    struct Case {
        WideString caption;
        TShortCut shortCut;
        WideString hotKey;
    };
    const std::vector<Case> cases{
        {u"&\u0424\u0430\u0439\u043b", 0, u"\u0424"},
        {u"\u0421\u043e\u0445\u0440\u0430\u043d\u0438\u0442\u044c &\u043a\u0430\u043a", scCtrl | 'S', u"\u043a"},
        {u"&&\u03a9mega", 0, u""},
        {u"\u03a9&\u03bc && &\u03b5", scShift | scCtrl | VK_F5, u"\u03b5"},
    };
    for (const Case& c : cases) AddItem(c.caption, c.shortCut);
    HMENU handle = OpenMenu();
    ASSERT_EQ(::GetMenuItemCount(handle), 4);
    for (int i = 0; i < 4; ++i) {
        const Case& c = cases[static_cast<std::size_t>(i)];
        const WideString shown = MenuTextW(handle, i);
        const WideString keys = c.shortCut ? u"\t" + uni::ShortCutTextW(c.shortCut) : WideString();
        EXPECT_EQ(shown, c.caption + keys) << i;
        EXPECT_EQ(uni::HotkeyCharW(shown.substr(0, shown.find(u'\t'))), c.hotKey) << i;
    }
    EXPECT_EQ(uni::ShortCutTextW(scCtrl | 'S'), u"Ctrl+S");
    EXPECT_EQ(uni::ShortCutTextW(scShift | scCtrl | VK_F5), u"Shift+Ctrl+F5");
    // Renamed while the native menu exists; also to a text whose 8-bit form is unchanged.
    auto* first = static_cast<TUniMenuItem*>(menu_->Items()->Items(0));
    first->SetCaption(u"&\u0416\u0443\u043a");
    EXPECT_EQ(MenuTextW(handle, 0), u"&\u0416\u0443\u043a");
    first->SetCaption(u"&\u0416\u0443\u0436");
    EXPECT_EQ(MenuTextW(handle, 0), u"&\u0416\u0443\u0436");
    EXPECT_EQ(first->Caption(), u"&\u0416\u0443\u0436");
}

TEST_F(UniMenus, SelectingAnItemSetsTheLongPartOfItsWideHint) {
    TUniMenuItem* item = AddItem(u"\u0416\u0443\u043a");
    item->SetHint(u"\u0416\u0443\u043a|\u03a9 \u0434\u043b\u0438\u043d\u043d\u0430\u044f");
    HMENU handle = OpenMenu();
    ::SendMessageW(PopupList->Window(), WM_MENUSELECT, MAKEWPARAM(item->Command(), MF_STRING),
                   reinterpret_cast<LPARAM>(handle));
    EXPECT_EQ(UniApplication->GetHint(), u"\u03a9 \u0434\u043b\u0438\u043d\u043d\u0430\u044f");
    EXPECT_EQ(uni::MenuItemWideHint(item), item->Hint());
    ::SendMessageW(PopupList->Window(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closed
    EXPECT_EQ(UniApplication->GetHint(), u"");
}

TEST_F(UniMenus, AnItemLinkedToAWideActionFollowsItsWideCaption) {
    auto* action = Create<TUniAction>(Owner());
    action->SetCaption(u"&\u03a9\u03bc\u03b5\u03b3\u03b1");
    action->SetHint(u"\u0416|\u0416\u0443\u043a");
    TUniMenuItem* item = AddItem(u"");
    item->SetAction(action);
    HMENU handle = OpenMenu();
    EXPECT_EQ(item->Caption(), u"&\u03a9\u03bc\u03b5\u03b3\u03b1");
    EXPECT_EQ(item->Hint(), u"\u0416|\u0416\u0443\u043a");
    action->SetCaption(u"&\u03a9\u03bc\u03b5\u03b3\u03b1\u03b1");
    EXPECT_EQ(item->Caption(), u"&\u03a9\u03bc\u03b5\u03b3\u03b1\u03b1");
    EXPECT_EQ(MenuTextW(handle, 0), u"&\u03a9\u03bc\u03b5\u03b3\u03b1\u03b1");
    // Its own caption unlinks it.
    item->SetCaption(u"\u0416");
    action->SetCaption(u"\u03a9");
    EXPECT_EQ(item->Caption(), u"\u0416");
}

TEST_F(UniMenus, AFormsMenuBarShowsTheWideCaptionsOfItsSubmenus) {
    auto* form = NewForm<TUniForm>(300, 200);
    auto* bar = Create<TMainMenu>(form);
    auto* file = Create<TUniMenuItem>(form);
    file->SetCaption(u"&\u0424\u0430\u0439\u043b");
    auto* open = Create<TUniMenuItem>(form);
    open->SetCaption(u"&\u041e\u0442\u043a\u0440\u044b\u0442\u044c \u03a9");
    open->SetShortCut(scCtrl | 'O');
    file->Add(open);
    bar->Items()->Add(file);
    form->SetMenu(bar);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Showing(); }));
    HMENU menuBar = ::GetMenu(form->Handle());
    ASSERT_NE(menuBar, nullptr);
    // The bar's items update with the form's actions, when the application is idle.
    form->UpdateActions();
    EXPECT_EQ(MenuTextW(menuBar, 0), u"&\u0424\u0430\u0439\u043b");
    HMENU sub = ::GetSubMenu(menuBar, 0);
    ASSERT_NE(sub, nullptr);
    ::SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    EXPECT_EQ(MenuTextW(sub, 0), u"&\u041e\u0442\u043a\u0440\u044b\u0442\u044c \u03a9\tCtrl+O");
}

}  // namespace
