// The form's part of the keyboard: Tab and Shift+Tab through the tab order, arrows, KeyPreview, the order
// in which shortcuts are offered (OnShortCut, action lists, the application's hooks) and Alt+letter reaching
// the application window as CM_APPSYSCOMMAND; the active control and Screen follow the focus.
#include "classlib/core/TCustomActionList.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

class FormKeyboard : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = NewForm();
        a = NewBox(form, 10, 10);
        b = NewBox(form, 10, 40);
        skipped = NewBox(form, 10, 70);
        skipped->SetTabStop(false);
        c = NewBox(form, 10, 100);
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
        ASSERT_TRUE(FocusOn(a));
    }
    TForm* form = nullptr;
    TFocusBox* a = nullptr;
    TFocusBox* b = nullptr;
    TFocusBox* skipped = nullptr;
    TFocusBox* c = nullptr;
};

TEST_F(FormKeyboard, TabAndShiftTabFollowTheTabOrderSkippingNonStopsAndWrapping) {
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), b->Handle());
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), c->Handle());
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), a->Handle());
    PressKey(VK_TAB, /*shift=*/true);
    EXPECT_EQ(::GetFocus(), c->Handle());
    PressKey(VK_TAB, true);
    EXPECT_EQ(::GetFocus(), b->Handle());
    // The focus bookkeeping follows.
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_EQ(Screen->ActiveControl(), b);
    EXPECT_EQ(Screen->ActiveCustomForm(), form);
    // Ctrl+Tab is not navigation.
    PressKey(VK_TAB, false, /*ctrl=*/true);
    EXPECT_EQ(::GetFocus(), b->Handle());
}

TEST_F(FormKeyboard, ArrowsMoveAmongSiblingsWithoutRegardToTabStops) {
    ASSERT_TRUE(FocusOn(b));
    PressKey(VK_DOWN);
    EXPECT_EQ(::GetFocus(), skipped->Handle());
    PressKey(VK_UP);
    EXPECT_EQ(::GetFocus(), b->Handle());
    PressKey(VK_LEFT);
    EXPECT_EQ(::GetFocus(), a->Handle());
}

struct Preview : TObject {
    std::vector<std::uint16_t> keys;
    void KeyDown(TObject*, std::uint16_t& key, TShiftState) {
        keys.push_back(key);
        if (key == 'X') key = 0;  // swallowed by the form
    }
};

TEST_F(FormKeyboard, KeyPreviewShowsKeysToTheFormFirst) {
    Preview preview;
    form->OnKeyDown = MakeMethod<&Preview::KeyDown>(&preview);
    PressKey('Y');
    EXPECT_TRUE(preview.keys.empty());  // no preview without KeyPreview
    EXPECT_EQ(a->keys, std::vector<std::uint16_t>{'Y'});

    form->SetKeyPreview(true);
    a->keys.clear();
    PressKey('X');
    PressKey('Y');
    EXPECT_EQ(preview.keys, (std::vector<std::uint16_t>{'X', 'Y'}));
    EXPECT_EQ(a->keys, std::vector<std::uint16_t>{'Y'});
}

struct ShortCuts : TObject {
    bool handleInForm = false;
    bool takeAppKeys = true;
    std::vector<std::uint16_t> formKeys;
    int executed = 0;
    std::vector<std::uintptr_t> appKeys;
    std::vector<std::uintptr_t> sysCommands;
    std::vector<std::intptr_t> sysKeys;
    void OnShortCut(TMessage& message, bool& handled) {
        formKeys.push_back(static_cast<std::uint16_t>(message.WParam));
        handled = handleInForm && message.WParam == 'S';
    }
    void Execute(TObject*) { ++executed; }
    bool Hook(TMessage& message) {
        if (message.Msg == CM_APPKEYDOWN && takeAppKeys) {
            appKeys.push_back(message.WParam);
            message.Result = 1;
            return true;
        }
        if (message.Msg == CM_APPSYSCOMMAND) {
            sysCommands.push_back(message.WParam & 0xFFF0);
            sysKeys.push_back(message.LParam);
            message.Result = 1;  // taken: no system menu loop
            return true;
        }
        return false;
    }
};

TEST_F(FormKeyboard, ShortcutsGoToOnShortCutThenActionListsThenTheApplication) {
    ShortCuts log;
    form->OnShortCut = MakeMethod<&ShortCuts::OnShortCut>(&log);
    TActionList* list = Create<TActionList>(form);
    TAction* save = Create<TAction>(form);
    save->SetActionList(list);
    save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    save->OnExecute = MakeMethod<&ShortCuts::Execute>(&log);
    ScopedAppHook hook(MakeMethod<&ShortCuts::Hook>(&log));

    PressKey('S', false, /*ctrl=*/true);
    EXPECT_EQ(log.executed, 1);
    EXPECT_TRUE(log.appKeys.empty());

    log.handleInForm = true;
    PressKey('S', false, true);
    EXPECT_EQ(log.executed, 1);  // the form's handler took it

    PressKey('Q', false, true);  // nobody on the form wants it
    EXPECT_EQ(log.appKeys, std::vector<std::uintptr_t>{'Q'});
    EXPECT_EQ(log.formKeys, (std::vector<std::uint16_t>{'S', 'S', 'Q'}));
    // A taken shortcut never reaches the control.
    EXPECT_TRUE(a->keys.empty());
}

TEST_F(FormKeyboard, AltLetterReachesTheApplicationHooksAsAppSysCommand) {
    ShortCuts log;
    log.takeAppKeys = false;
    ScopedAppHook hook(MakeMethod<&ShortCuts::Hook>(&log));
    const UINT scan = ::MapVirtualKeyA('F', 0);
    SetModifiers(false, false, /*alt=*/true);
    ::PostMessageA(a->Handle(), WM_SYSKEYDOWN, 'F', static_cast<LPARAM>(1 | (scan << 16) | (1u << 29)));
    ::PostMessageA(a->Handle(), WM_SYSKEYUP, 'F', static_cast<LPARAM>(1 | (scan << 16) | (1u << 29) | (3u << 30)));
    EXPECT_TRUE(PumpUntil([&] { return !log.sysCommands.empty(); }));
    SetModifiers(false, false);
    ASSERT_EQ(log.sysCommands.size(), 1u);
    EXPECT_EQ(log.sysCommands[0], static_cast<std::uintptr_t>(SC_KEYMENU));
    EXPECT_EQ(log.sysKeys[0], 'f');
}

TEST_F(FormKeyboard, ActiveControlMustBeFocusable) {
    skipped->SetVisible(false);
    EXPECT_THROW(form->SetActiveControl(skipped), EInvalidOperation);
    form->SetActiveControl(c);
    EXPECT_EQ(::GetFocus(), c->Handle());
    EXPECT_EQ(form->ActiveControl(), c);
    // A control that goes away takes the active control with it.
    Free(c);
    c = nullptr;
    EXPECT_EQ(form->ActiveControl(), nullptr);
}

}  // namespace
