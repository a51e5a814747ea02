// Modal forms and closing: a clicked control's result ends ShowModal with that value, CloseQuery and OnClose
// can keep the form open, other windows are disabled meanwhile; Close, WM_CLOSE and the close actions of a
// modeless form.
#include <thread>

#include "classlib/win/TButton.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

// A control that, clicked, gives its form a modal result (any integer).
class TResultBox : public TFocusBox {
    CLASSLIB_COMPONENT(TResultBox, TFocusBox)
    explicit TResultBox(TComponent* owner) : TFocusBox(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csClickEvents, csCaptureMouse});
    }
    int result = mrNone;
    int clicks = 0;
    bool otherEnabledDuringClick = true;
    bool modalDuringClick = false;
    HWND other = nullptr;

    void Click() override {
        ++clicks;
        if (other) otherEnabledDuringClick = ::IsWindowEnabled(other) != FALSE;
        TCustomForm* form = GetParentForm(this);
        modalDuringClick = form->FormState().Contains(fsModal);
        form->SetModalResult(result);
        TFocusBox::Click();
    }
    // Queues a click for the modal loop to handle.
    void PostClick() {
        ::PostMessageA(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::PostMessageA(Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
};

// Ends a modal loop that a broken test would never end: after the deadline the modal form gets the
// watchdog's result and every veto is lifted.
class ModalWatchdog {
public:
    explicit ModalWatchdog(TCustomForm* form, UINT ms = testsupport::kPumpTimeoutMs) {
        form_ = form;
        fired_ = false;
        timer_ = ::SetTimer(nullptr, 0, ms, &ModalWatchdog::Expired);
    }
    ~ModalWatchdog() {
        ::KillTimer(nullptr, timer_);
        form_ = nullptr;
    }
    static bool Fired() { return fired_; }
    static constexpr int kResult = -999;

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD) {
        fired_ = true;
        if (form_) form_->SetModalResult(kResult);
    }
    static inline TCustomForm* form_ = nullptr;
    static inline bool fired_ = false;
    UINT_PTR timer_ = 0;
};

struct ModalScript : TObject {
    TResultBox* box = nullptr;
    int queries = 0;
    int vetoes = 0;  // how many close requests to refuse
    int closes = 0;
    TCloseAction closeAction = caHide;
    bool visibleInOnShow = true;

    void Show(TObject* sender) {
        visibleInOnShow = ::IsWindowVisible(static_cast<TCustomForm*>(sender)->Handle()) != FALSE;
        box->PostClick();
    }
    void CloseQuery(TObject*, bool& canClose) {
        ++queries;
        if (vetoes > 0 && !ModalWatchdog::Fired()) {
            --vetoes;
            canClose = false;
            box->PostClick();  // try again
        }
    }
    void Close(TObject*, TCloseAction& action) {
        ++closes;
        if (closes == 1 && closeAction == caNone && !ModalWatchdog::Fired()) {
            action = caNone;
            box->PostClick();
        }
    }
};

class FormModal : public GuiTest {
protected:
    TForm* ModalForm(ModalScript& script, int result) {
        TForm* form = NewForm();
        script.box = Create<TResultBox>(Owner());
        script.box->SetParent(form);
        script.box->result = result;
        form->OnShow = MakeMethod<&ModalScript::Show>(&script);
        form->OnCloseQuery = MakeMethod<&ModalScript::CloseQuery>(&script);
        form->OnClose = MakeMethod<&ModalScript::Close>(&script);
        return form;
    }
};

struct Activations : TObject {
    int activated = 0;
    int deactivated = 0;
    void Activate(TObject*) { ++activated; }
    void Deactivate(TObject*) { ++deactivated; }
};

TEST_F(FormModal, AClickedResultEndsTheLoopWithThatValueAndTheOtherWindowsComeBack) {
    TForm* other = NewForm();
    TFocusBox* otherBox = NewBox(other, 10, 10);
    other->Show();
    ASSERT_TRUE(PumpUntil([&] { return other->Active(); }));
    ASSERT_TRUE(FocusOn(otherBox));
    Activations activations;
    other->OnActivate = MakeMethod<&Activations::Activate>(&activations);
    other->OnDeactivate = MakeMethod<&Activations::Deactivate>(&activations);
    ModalScript script;
    TForm* form = ModalForm(script, 42);
    script.box->other = other->Handle();
    ModalWatchdog watchdog(form);

    EXPECT_EQ(form->ShowModal(), 42);
    EXPECT_FALSE(ModalWatchdog::Fired());
    EXPECT_EQ(script.box->clicks, 1);
    EXPECT_TRUE(script.box->modalDuringClick);
    EXPECT_FALSE(script.box->otherEnabledDuringClick);
    EXPECT_FALSE(script.visibleInOnShow);
    EXPECT_EQ(script.queries, 1);
    EXPECT_EQ(script.closes, 1);
    // Afterwards: hidden, no longer modal, the other window enabled again.
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(::IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->FormState().Contains(fsModal));
    EXPECT_TRUE(::IsWindowEnabled(other->Handle()));
    EXPECT_EQ(form->ModalResult(), 42);
    // The previously active form is active again, with the focus where it was.
    EXPECT_EQ(activations.deactivated, 1);
    EXPECT_EQ(activations.activated, 1);
    EXPECT_TRUE(other->Active());
    EXPECT_EQ(::GetFocus(), otherBox->Handle());

    // The form can be shown modally again, with another result.
    script.box->result = mrNo;
    EXPECT_EQ(form->ShowModal(), mrNo);
}

TEST_F(FormModal, CloseQueryVetoKeepsTheLoopRunningUntilItAgrees) {
    ModalScript script;
    script.vetoes = 2;
    TForm* form = ModalForm(script, 7);
    ModalWatchdog watchdog(form);

    EXPECT_EQ(form->ShowModal(), 7);
    EXPECT_FALSE(ModalWatchdog::Fired());
    EXPECT_EQ(script.box->clicks, 3);
    EXPECT_EQ(script.queries, 3);
    EXPECT_EQ(script.closes, 1);  // OnClose only once the query agreed
}

TEST_F(FormModal, OnCloseWithCaNoneKeepsTheFormOpen) {
    ModalScript script;
    script.closeAction = caNone;
    TForm* form = ModalForm(script, mrOk);
    ModalWatchdog watchdog(form);

    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_FALSE(ModalWatchdog::Fired());
    EXPECT_EQ(script.box->clicks, 2);
    EXPECT_EQ(script.closes, 2);
}

struct Closer : TObject {
    TCustomForm* form = nullptr;
    void Show(TObject*) { ::PostMessageA(form->Handle(), WM_CLOSE, 0, 0); }
};

TEST_F(FormModal, ClosingAModalFormCancelsIt) {
    TForm* form = NewForm();
    Closer closer;
    closer.form = form;
    form->OnShow = MakeMethod<&Closer::Show>(&closer);
    ModalWatchdog watchdog(form);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(ModalWatchdog::Fired());
}

struct InstantResult : TObject {
    TCustomForm* form = nullptr;
    void Show(TObject*) { form->SetModalResult(mrYes); }
};

TEST_F(FormModal, AResultSetInOnShowEndsTheLoopAtOnceWithThatValue) {
    TForm* form = NewForm();
    form->SetModalResult(mrNo);  // a stale result from before must not count
    InstantResult instant;
    instant.form = form;
    form->OnShow = MakeMethod<&InstantResult::Show>(&instant);
    ModalWatchdog watchdog(form);
    EXPECT_EQ(form->ShowModal(), mrYes);
    EXPECT_FALSE(ModalWatchdog::Fired());
    EXPECT_FALSE(form->Visible());
}

struct Refuser : TObject {
    void Query(TObject*, bool& canClose) { canClose = false; }
};

// In a process of its own (terminating cannot be undone), which a thread ends should the loop hang.
TEST_F(FormModal, ATerminatingApplicationEndsTheLoopAtOnceWithoutAskingCloseQuery) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::thread([] {
                ::Sleep(3000);
                ::ExitProcess(2);
            }).detach();
            Refuser refuser;
            TForm* form = Create<TForm>(nullptr, NoBuilders);
            form->OnCloseQuery = MakeMethod<&Refuser::Query>(&refuser);
            Application->Terminate();
            Application->ProcessMessages();
            const DWORD start = ::GetTickCount();
            const int result = form->ShowModal();
            std::exit(result == mrCancel && ::GetTickCount() - start < 1000 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(FormModal, AVisibleOrDisabledFormCannotBecomeModal) {
    TForm* form = NewForm();
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
    form->Hide();
    form->SetEnabled(false);
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
    EXPECT_FALSE(form->FormState().Contains(fsModal));
}

struct KeyPoster : TObject {
    HWND target = nullptr;
    WPARAM key = 0;
    void Show(TObject*) {
        const LPARAM data = static_cast<LPARAM>(1 | (::MapVirtualKeyA(static_cast<UINT>(key), 0) << 16));
        ::PostMessageA(target, WM_KEYDOWN, key, data);
        ::PostMessageA(target, WM_KEYUP, key, data | static_cast<LPARAM>(3u << 30));
    }
};

TEST_F(FormModal, EnterAndEscapeGoToTheDefaultAndCancelButtons) {
    TForm* form = NewForm();
    TButton* ok = Create<TButton>(Owner());
    ok->SetParent(form);
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    TButton* cancel = Create<TButton>(Owner());
    cancel->SetParent(form);
    cancel->SetBounds(0, 40, 75, 25);
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    TFocusBox* box = NewBox(form, 100, 10);
    form->SetActiveControl(box);
    KeyPoster poster;
    poster.target = box->Handle();
    form->OnShow = MakeMethod<&KeyPoster::Show>(&poster);
    ModalWatchdog watchdog(form);

    poster.key = VK_RETURN;
    EXPECT_EQ(form->ShowModal(), mrOk);
    poster.key = VK_ESCAPE;
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(ModalWatchdog::Fired());
}

// ---- modeless closing ----

struct CloseLog : TObject {
    TCloseAction action = caHide;
    bool allow = true;
    int queries = 0;
    int closes = 0;
    void Query(TObject*, bool& canClose) {
        ++queries;
        canClose = allow;
    }
    void Close(TObject*, TCloseAction& a) {
        ++closes;
        EXPECT_EQ(a, caHide);  // the default for a modeless form
        a = action;
    }
};

class TFreeWatch : public TComponent {
    CLASSLIB_COMPONENT(TFreeWatch, TComponent)
    explicit TFreeWatch(TComponent* owner) : TComponent(owner) {}
    TComponent* watched = nullptr;
    bool gone = false;
    void Watch(TComponent* c) {
        watched = c;
        c->FreeNotification(this);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == watched) gone = true;
    }
};

class FormClose : public GuiTest {
protected:
    TForm* ShownForm(CloseLog& log) {
        TForm* form = NewForm();
        form->OnCloseQuery = MakeMethod<&CloseLog::Query>(&log);
        form->OnClose = MakeMethod<&CloseLog::Close>(&log);
        form->Show();
        return form;
    }
};

TEST_F(FormClose, TheCloseActionDecidesWhatHappens) {
    CloseLog hide;
    TForm* hidden = ShownForm(hide);
    hidden->Close();
    EXPECT_FALSE(hidden->Visible());
    EXPECT_FALSE(::IsWindowVisible(hidden->Handle()));

    CloseLog keep;
    keep.action = caNone;
    TForm* kept = ShownForm(keep);
    kept->Close();
    EXPECT_TRUE(kept->Visible());
    EXPECT_EQ(keep.closes, 1);

    CloseLog minimize;
    minimize.action = caMinimize;
    TForm* minimized = ShownForm(minimize);
    minimized->Close();
    EXPECT_EQ(minimized->WindowState(), wsMinimized);
    EXPECT_TRUE(minimized->Visible());
}

TEST_F(FormClose, CaFreeReleasesTheFormOnceQueuedMessagesAreHandled) {
    CloseLog log;
    log.action = caFree;
    TForm* form = ShownForm(log);
    TFreeWatch* watch = Create<TFreeWatch>(Owner());
    watch->Watch(form);
    // WM_CLOSE takes the same path as Close.
    ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(watch->gone);  // not inside the call
    EXPECT_TRUE(PumpUntil([&] { return watch->gone; }));
    EXPECT_EQ(log.closes, 1);

    // Also a form that never had a window.
    TForm* unseen = NewForm();
    watch->Watch(unseen);
    watch->gone = false;
    unseen->Release();
    EXPECT_TRUE(PumpUntil([&] { return watch->gone; }));
}

// In a process of its own: terminating cannot be undone.
TEST_F(FormClose, ClosingTheMainFormTerminatesTheApplication) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TForm* main = nullptr;
            Application->CreateForm(TForm::StaticClass(), main);
            main->Show();
            main->Close();
            Application->ProcessMessages();  // the quit message
            std::exit(Application->Terminated() && main->Visible() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(FormClose, AVetoedCloseDoesNothing) {
    CloseLog log;
    log.allow = false;
    TForm* form = ShownForm(log);
    form->Close();
    EXPECT_EQ(log.queries, 1);
    EXPECT_EQ(log.closes, 0);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
}

}  // namespace
