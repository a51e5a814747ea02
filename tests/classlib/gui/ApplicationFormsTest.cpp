// The application with forms: CreateForm and the main form, Run, keys sent to the control of a window, setting
// changes passed to every form, action updates on visible forms and actions reaching the active form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/TBasicAction.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "classlib/win/TCustomControl.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TDataModule.h"
#include "classlib/win/TScreen.h"

using apptest::EnsureApplication;

namespace {

class ProbeForm;
ProbeForm* g_probe = nullptr;

class ProbeForm : public TForm {
    CLASSLIB_COMPONENT(ProbeForm, TForm)
    explicit ProbeForm(TComponent* owner) : TForm(owner, NoBuilders) { sawItselfPublished = g_probe == this; }
    void UpdateActions() override {
        ++actionUpdates;
        TForm::UpdateActions();
    }
    bool sawItselfPublished = false;
    int actionUpdates = 0;
};

// Records what reaches a control through its WindowProc and answers chosen messages.
struct Trap : TObject {
    TWndMethod previous;
    std::vector<std::string> log;
    std::uintptr_t consumeKey = 0;
    std::intptr_t settingCode = -1;
    int actions = 0;
    void WndProc(TMessage& m) {
        if (m.Msg == CN_KEYDOWN) {
            log.push_back("cn_keydown:" + std::to_string(m.WParam));
            if (m.WParam == consumeKey) {
                m.Result = 1;
                return;
            }
        }
        if (m.Msg == CM_WININICHANGE) settingCode = static_cast<std::intptr_t>(m.WParam);
        if (m.Msg == CM_SYSCOLORCHANGE) log.push_back("syscolor");
        if (m.Msg == CM_ACTIONEXECUTE) {
            ++actions;
            m.Result = 1;
            return;
        }
        previous(m);
    }
    void Attach(TControl* control) {
        previous = control->WindowProc;
        control->WindowProc = MakeMethod<&Trap::WndProc>(this);
    }
};

class Panel : public TCustomControl {
    CLASSLIB_COMPONENT(Panel, TCustomControl)
    explicit Panel(TComponent* owner) : TCustomControl(owner) {}
};

std::vector<std::string> g_rawKeys;
LRESULT CALLBACK RawChildProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN) g_rawKeys.push_back("keydown:" + std::to_string(wp));
    return ::DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace

TEST(ApplicationForms, CreateFormPublishesFirstAndTheFirstFormBecomesTheMainForm) {
    EnsureApplication();
    TObjectPtr<TApplication> app = MakeObject<TApplication>(nullptr);
    app->Initialize();
    TDataModule* module = nullptr;
    app->CreateForm(TDataModule::StaticClass(), module);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(app->MainForm(), nullptr);

    app->CreateForm(ProbeForm::StaticClass(), g_probe);
    ProbeForm* first = g_probe;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->sawItselfPublished);
    EXPECT_EQ(app->MainForm(), first);
    EXPECT_TRUE(first->HandleAllocated());

    app->CreateForm(ProbeForm::StaticClass(), g_probe);
    EXPECT_NE(g_probe, first);
    EXPECT_EQ(app->MainForm(), first);
    ASSERT_EQ(app->ComponentCount(), 3);
    EXPECT_EQ(app->Components(0), module);
    EXPECT_EQ(app->Components(1), first);
    EXPECT_EQ(app->Components(2), g_probe);

    Free(first);
    EXPECT_EQ(app->MainForm(), nullptr);
    g_probe = nullptr;
}

TEST(ApplicationForms, RunShowsTheMainFormAndOutlivesErrorsUntilTerminate) {
    EnsureApplication();
    TObjectPtr<TApplication> app = MakeObject<TApplication>(nullptr);
    app->Initialize();
    app->CreateForm(ProbeForm::StaticClass(), g_probe);
    struct Script : TObject {
        TApplication* app = nullptr;
        bool visibleDuringRun = false;
        std::vector<std::string> errors;
        bool Hook(TMessage& m) {
            if (m.Msg == WM_APP + 51) throw EInvalidOperation("first message fails");
            if (m.Msg == WM_APP + 52) {
                visibleDuringRun = ::IsWindowVisible(app->MainForm()->Handle()) != FALSE;
                app->Terminate();
            }
            return false;
        }
        void Error(TObject*, const Exception& e) { errors.push_back(e.Message()); }
    } script;
    script.app = app.get();
    app->HookMainWindow(MakeMethod<&Script::Hook>(&script));
    app->OnException = MakeMethod<&Script::Error>(&script);
    ExitCode = 3;
    ::PostMessageA(app->Handle(), WM_APP + 51, 0, 0);
    ::PostMessageA(app->Handle(), WM_APP + 52, 0, 0);
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_TRUE(script.visibleDuringRun);
    EXPECT_EQ(script.errors, (std::vector<std::string>{"first message fails"}));
    EXPECT_EQ(ExitCode, 3);
    ExitCode = 0;
    g_probe = nullptr;
}

TEST(ApplicationForms, KeysGoToTheControlOfTheWindowOrOfItsNearestAncestorFirst) {
    EnsureApplication();
    TObjectPtr<TForm> form(Create<TForm>(nullptr, NoBuilders));
    Panel* panel = Create<Panel>(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 100, 80);
    form->Show();
    Trap trap;
    trap.Attach(panel);
    trap.consumeKey = VK_F5;

    WNDCLASSA wc{};
    wc.lpfnWndProc = &RawChildProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ApplicationFormsRawChild";
    ::RegisterClassA(&wc);
    HWND raw = ::CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 30, 30, panel->Handle(), nullptr,
                                 wc.hInstance, nullptr);
    ASSERT_NE(raw, nullptr);
    g_rawKeys.clear();
    ::PostMessageA(raw, WM_KEYDOWN, VK_F5, 0);
    ::PostMessageA(raw, WM_KEYDOWN, VK_F6, 0);
    Application->ProcessMessages();
    EXPECT_EQ(trap.log, (std::vector<std::string>{"cn_keydown:116", "cn_keydown:117"}));
    EXPECT_EQ(g_rawKeys, (std::vector<std::string>{"keydown:117"}));
    ::DestroyWindow(raw);
    panel->WindowProc = trap.previous;
}

TEST(ApplicationForms, SettingChangesReachEveryFormAndItsControls) {
    EnsureApplication();
    TObjectPtr<TForm> form(Create<TForm>(nullptr, NoBuilders));
    Panel* panel = Create<Panel>(form.get());
    panel->SetParent(form.get());
    Trap formTrap;
    Trap panelTrap;
    formTrap.Attach(form.get());
    panelTrap.Attach(panel);
    ::SendMessageA(Application->Handle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    ::SendMessageA(Application->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(formTrap.settingCode, SPI_SETWORKAREA);
    EXPECT_EQ(panelTrap.settingCode, SPI_SETWORKAREA);
    EXPECT_EQ(formTrap.log, (std::vector<std::string>{"syscolor"}));
    EXPECT_EQ(panelTrap.log, (std::vector<std::string>{"syscolor"}));
    panel->WindowProc = panelTrap.previous;
    form->WindowProc = formTrap.previous;
}

TEST(ApplicationForms, IdleUpdatesTheActionsOfVisibleFormsAndActionsReachTheActiveForm) {
    EnsureApplication();
    TObjectPtr<ProbeForm> shown(Create<ProbeForm>(nullptr));
    TObjectPtr<ProbeForm> hidden(Create<ProbeForm>(nullptr));
    shown->Show();
    Application->ProcessMessages();
    // Timer messages end each idle wait.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, nullptr);
    const DWORD start = ::GetTickCount();
    while (shown->actionUpdates == 0 && ::GetTickCount() - start < testsupport::kPumpTimeoutMs)
        Application->HandleMessage();
    ::KillTimer(nullptr, timer);
    EXPECT_GE(shown->actionUpdates, 1);
    EXPECT_EQ(hidden->actionUpdates, 0);

    Trap trap;
    trap.Attach(shown.get());
    Screen->SetFocusedForm(shown.get(), nullptr);
    TObjectPtr<TBasicAction> action = MakeObject<TBasicAction>(nullptr);
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(trap.actions, 1);
    Screen->SetFocusedForm(nullptr, nullptr);
    shown->WindowProc = trap.previous;
}

TEST(ApplicationForms, MinimizingTheMainFormIsTheApplicationsWithItsEvents) {
    EnsureApplication();
    TObjectPtr<TApplication> app = MakeObject<TApplication>(nullptr);
    app->Initialize();
    app->CreateForm(ProbeForm::StaticClass(), g_probe);
    struct Log : TObject {
        std::string events;
        void Minimize(TObject*) { events += "m"; }
        void Restore(TObject*) { events += "r"; }
    } log;
    app->OnMinimize = MakeMethod<&Log::Minimize>(&log);
    app->OnRestore = MakeMethod<&Log::Restore>(&log);
    HWND main = app->MainForm()->Handle();
    app->MainForm()->Show();
    ::SetActiveWindow(main);

    // What a form passes on before its own handling of WM_SYSCOMMAND.
    EXPECT_EQ(::SendMessageA(app->Handle(), CM_APPSYSCOMMAND, SC_MINIMIZE, 0), 1);
    EXPECT_TRUE(::IsIconic(main));
    EXPECT_EQ(::SendMessageA(app->Handle(), CM_APPSYSCOMMAND, SC_MINIMIZE, 0), 0);  // already down
    EXPECT_EQ(::SendMessageA(app->Handle(), CM_APPSYSCOMMAND, SC_RESTORE, 0), 1);
    EXPECT_FALSE(::IsIconic(main));
    EXPECT_EQ(::SendMessageA(app->Handle(), CM_APPSYSCOMMAND, SC_KEYMENU, 'f'), 0);
    EXPECT_EQ(log.events, "mr");
    g_probe = nullptr;
}

TEST(ApplicationForms, ABroadcastReachesEachFormOnceWhenAHandlerRaisesOrFreesAnotherForm) {
    EnsureApplication();
    // Counts CM_SYSCOLORCHANGE per form; one form's handler raises or frees another form meanwhile.
    struct Counter : TObject {
        TWndMethod previous;
        int seen = 0;
        TCustomForm* raise = nullptr;
        TObjectPtr<TForm>* release = nullptr;
        void WndProc(TMessage& m) {
            if (m.Msg == CM_SYSCOLORCHANGE) {
                ++seen;
                if (raise)
                    ::SetWindowPos(raise->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                if (release) release->reset();
            }
            previous(m);
        }
    };
    TObjectPtr<TForm> forms[3] = {TObjectPtr<TForm>(Create<TForm>(nullptr, NoBuilders)),
                                  TObjectPtr<TForm>(Create<TForm>(nullptr, NoBuilders)),
                                  TObjectPtr<TForm>(Create<TForm>(nullptr, NoBuilders))};
    Counter counters[3];
    for (int i = 0; i < 3; ++i) {
        forms[i]->SetBounds(60 + 20 * i, 60, 200, 150);
        forms[i]->Show();
        counters[i].previous = forms[i]->WindowProc;
        forms[i]->WindowProc = MakeMethod<&Counter::WndProc>(&counters[i]);
    }
    // Topmost first: 0, 1, 2. The middle form raises the bottom one above the rest while the message runs.
    auto order = [&] {
        for (int i = 2; i >= 0; --i)
            if (forms[i])
                ::SetWindowPos(forms[i]->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    order();
    counters[1].raise = forms[2].get();
    ::SendMessageA(Application->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(counters[i].seen, 1) << "form " << i;

    // A form freed by an earlier form's handler is not reached any more.
    order();
    counters[1].raise = nullptr;
    counters[1].release = &forms[2];
    ::SendMessageA(Application->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(counters[0].seen, 2);
    EXPECT_EQ(counters[1].seen, 2);
    EXPECT_EQ(counters[2].seen, 1);
    EXPECT_EQ(forms[2].get(), nullptr);
    for (int i = 0; i < 2; ++i) forms[i]->WindowProc = counters[i].previous;
}
