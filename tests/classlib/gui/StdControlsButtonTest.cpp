// Push buttons, check boxes and radio buttons driven by real messages: clicks through BM_CLICK, Enter and
// Esc through the keyboard path to the default and cancel buttons, the default frame following the focus,
// accelerators, modal results and action links.
#include <algorithm>

#include "classlib/core/TCustomAction.h"
#include "classlib/win/TButton.h"
#include "classlib/win/TCheckBox.h"
#include "classlib/win/TRadioButton.h"
#include "classlib/win/TTimer.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

struct TClicks : TObject {
    std::vector<TObject*> senders;
    void Click(TObject* sender) { senders.push_back(sender); }
    int Count(TObject* sender) const { return static_cast<int>(std::count(senders.begin(), senders.end(), sender)); }
};

template <class C>
C* NewControl(TWinControl* parent, int left, int top, const AnsiString& caption = AnsiString()) {
    C* control = Create<C>(parent->Owner());
    control->SetLeft(left);
    control->SetTop(top);
    control->SetParent(parent);
    if (!caption.empty()) control->SetCaption(caption);
    return control;
}

LONG_PTR ButtonKind(TWinControl* control) { return ::GetWindowLongPtrA(control->Handle(), GWL_STYLE) & 0xF; }

class StdButtons : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = NewForm(320, 240);
        box = NewBox(form, 10, 10);
        ok = NewControl<TButton>(form, 10, 100, "OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        cancel = NewControl<TButton>(form, 100, 100, "Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        other = NewControl<TButton>(form, 190, 100, "&Go");
        for (TButton* b : {ok, cancel, other}) b->OnClick = MakeMethod<&TClicks::Click>(&clicks);
    }
    void ShowWithFocusOnBox() {
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
        ASSERT_TRUE(FocusOn(box));
    }
    TForm* form = nullptr;
    TFocusBox* box = nullptr;
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
    TButton* other = nullptr;
    TClicks clicks;
};

TEST_F(StdButtons, ClickMessageRaisesOnClickOnceAndSetsTheFormsModalResult) {
    ::SendMessageA(other->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count(other), 1);
    EXPECT_EQ(form->ModalResult(), mrNone);  // a button without a result leaves the form's alone
    ::SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count(ok), 1);
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_EQ(clicks.senders.size(), 2u);
}

// A watchdog for modal loops: ends the loop with mrAbort if the test's own route never does.
struct TModalWatchdog : TObject {
    TCustomForm* form = nullptr;
    void Fire(TObject*) { form->SetModalResult(mrAbort); }
};

TEST_F(StdButtons, ClickedButtonEndsShowModalWithItsResult) {
    TModalWatchdog watchdog;
    watchdog.form = form;
    TTimer* timer = Create<TTimer>(Owner());
    timer->SetInterval(3000);
    timer->OnTimer = MakeMethod<&TModalWatchdog::Fire>(&watchdog);
    ::PostMessageA(cancel->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(clicks.Count(cancel), 1);
}

// One shown form for both: hiding a shown form is slow on the test display.
TEST_F(StdButtons, KeysReachTheDefaultAndCancelButtonsAndTheDefaultFrameFollowsTheFocus) {
    ShowWithFocusOnBox();
    EXPECT_EQ(ButtonKind(ok), BS_DEFPUSHBUTTON);
    EXPECT_EQ(ButtonKind(other), BS_PUSHBUTTON);

    ASSERT_TRUE(FocusOn(other));
    EXPECT_EQ(ButtonKind(other), BS_DEFPUSHBUTTON);
    EXPECT_EQ(ButtonKind(ok), BS_PUSHBUTTON);
    // Enter now clicks the focused button, not the default one.
    PressKey(VK_RETURN);
    EXPECT_EQ(clicks.Count(other), 1);
    EXPECT_EQ(clicks.Count(ok), 0);

    // Focus leaves the buttons: the default button takes the frame back.
    ASSERT_TRUE(FocusOn(box));
    EXPECT_EQ(ButtonKind(ok), BS_DEFPUSHBUTTON);
    EXPECT_EQ(ButtonKind(other), BS_PUSHBUTTON);

    // Making another button the default while a plain control has the focus moves the frame at once.
    ok->SetDefault(false);
    cancel->SetDefault(true);
    EXPECT_EQ(ButtonKind(ok), BS_PUSHBUTTON);
    EXPECT_EQ(ButtonKind(cancel), BS_DEFPUSHBUTTON);
    // The style survives a new window.
    cancel->RecreateWnd();
    EXPECT_EQ(ButtonKind(cancel), BS_DEFPUSHBUTTON);

    // Enter and Esc from a plain control go to the default and cancel buttons.
    ASSERT_TRUE(FocusOn(box));
    ok->SetDefault(true);
    cancel->SetDefault(false);
    form->SetModalResult(mrNone);
    clicks.senders.clear();

    PressKey(VK_RETURN);
    EXPECT_EQ(clicks.Count(ok), 1);
    EXPECT_EQ(form->ModalResult(), mrOk);
    form->SetModalResult(mrNone);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(clicks.Count(cancel), 1);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(clicks.Count(other), 0);

    // Without a default or cancel button the keys click nothing.
    ok->SetDefault(false);
    cancel->SetCancel(false);
    clicks.senders.clear();
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(clicks.senders.empty());

    // A disabled default button does not answer either.
    ok->SetDefault(true);
    ok->SetEnabled(false);
    PressKey(VK_RETURN);
    EXPECT_TRUE(clicks.senders.empty());
}

TEST_F(StdButtons, AcceleratorClicksTheButton) {
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 1);
    EXPECT_EQ(clicks.Count(other), 1);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'G', 0), 1);  // either case
    EXPECT_EQ(clicks.Count(other), 2);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'x', 0), 0);
    other->SetEnabled(false);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 0);
    EXPECT_EQ(clicks.Count(other), 2);
}

TEST_F(StdButtons, ActionGivesCaptionAndClickRunsIt) {
    TAction* action = Create<TAction>(Owner());
    TClicks executed;
    action->SetCaption("&Run");
    action->OnExecute = MakeMethod<&TClicks::Click>(&executed);
    TButton* run = NewControl<TButton>(form, 10, 150);
    run->SetAction(action);
    EXPECT_EQ(run->Caption(), "&Run");
    ::SendMessageA(run->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(executed.senders.size(), 1u);
    EXPECT_EQ(executed.senders[0], action);
    action->SetCaption("Again");
    EXPECT_EQ(run->Caption(), "Again");
}

class StdCheckBoxes : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = NewForm();
        check = NewControl<TCheckBox>(form, 10, 10, "&Check");
        check->OnClick = MakeMethod<&TClicks::Click>(&clicks);
    }
    TCheckBoxState WindowState() {
        return static_cast<TCheckBoxState>(::SendMessageA(check->Handle(), BM_GETCHECK, 0, 0));
    }
    TForm* form = nullptr;
    TCheckBox* check = nullptr;
    TClicks clicks;
};

TEST_F(StdCheckBoxes, ClicksToggleTheStateAndEveryChangeRaisesOnClick) {
    ::SendMessageA(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(WindowState(), cbChecked);
    ::SendMessageA(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(check->State(), cbUnchecked);
    EXPECT_EQ(WindowState(), cbUnchecked);
    EXPECT_EQ(clicks.Count(check), 2);

    check->SetAllowGrayed(true);
    ::SendMessageA(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(check->State(), cbGrayed);
    EXPECT_EQ(WindowState(), cbGrayed);
    EXPECT_FALSE(check->Checked());
    ::SendMessageA(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(check->State(), cbChecked);
    EXPECT_EQ(clicks.Count(check), 4);

    // The program's changes raise OnClick too, but only real changes.
    check->SetChecked(false);
    check->SetChecked(false);
    EXPECT_EQ(clicks.Count(check), 5);
    EXPECT_EQ(WindowState(), cbUnchecked);
}

TEST_F(StdCheckBoxes, StateSurvivesANewWindowAndIsKeptWithoutOne) {
    TCheckBox* early = Create<TCheckBox>(Owner());
    early->SetState(cbChecked);  // before any window
    early->SetParent(form);
    EXPECT_EQ(::SendMessageA(early->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    check->SetAllowGrayed(true);
    check->SetState(cbGrayed);
    check->SetAlignment(taLeftJustify);  // a new window, with the text on the left
    EXPECT_TRUE(::GetWindowLongPtrA(check->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(WindowState(), cbGrayed);
    check->RecreateWnd();
    EXPECT_EQ(WindowState(), cbGrayed);
    EXPECT_EQ(check->Caption(), "&Check");
}

TEST_F(StdCheckBoxes, AcceleratorFocusesAndToggles) {
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'c', 0), 1);
    EXPECT_EQ(::GetFocus(), check->Handle());
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'z', 0), 0);
    EXPECT_TRUE(check->Checked());
}

TEST_F(StdCheckBoxes, CheckedActionDrivesTheBoxWithoutClicking) {
    TAction* action = Create<TAction>(Owner());
    TClicks executed;
    action->OnExecute = MakeMethod<&TClicks::Click>(&executed);
    check->OnClick = nullptr;
    check->SetAction(action);
    action->SetChecked(true);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(WindowState(), cbChecked);
    action->SetChecked(false);
    EXPECT_FALSE(check->Checked());
    EXPECT_TRUE(executed.senders.empty());
    // A click by the user runs the action.
    ::SendMessageA(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(executed.senders.size(), 1u);
}

TEST_F(StdCheckBoxes, RadioButtonsOfOneParentExcludeEachOther) {
    TRadioButton* r1 = NewControl<TRadioButton>(form, 10, 40, "One");
    TRadioButton* r2 = NewControl<TRadioButton>(form, 10, 60, "Two");
    TWinControl* group = NewBox(form, 150, 10, 100, 100);
    TRadioButton* r3 = NewControl<TRadioButton>(group, 5, 5, "Three");
    for (TRadioButton* r : {r1, r2, r3}) r->OnClick = MakeMethod<&TClicks::Click>(&clicks);
    r3->SetChecked(true);
    r1->SetChecked(true);
    EXPECT_TRUE(r1->TabStop());
    EXPECT_FALSE(r2->TabStop());

    ::SendMessageA(r2->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(r2->Checked());
    EXPECT_FALSE(r1->Checked());
    EXPECT_EQ(::SendMessageA(r1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessageA(r2->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(r2->TabStop());
    EXPECT_FALSE(r1->TabStop());
    // Another parent's button is left alone.
    EXPECT_TRUE(r3->Checked());
    // OnClick only for becoming checked: r3, r1, r2; clicking the checked one again changes nothing.
    ::SendMessageA(r2->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count(r1), 1);
    EXPECT_EQ(clicks.Count(r2), 1);
    EXPECT_EQ(clicks.Count(r3), 1);
    EXPECT_EQ(clicks.senders.size(), 3u);

    r2->RecreateWnd();
    EXPECT_EQ(::SendMessageA(r2->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

}  // namespace
