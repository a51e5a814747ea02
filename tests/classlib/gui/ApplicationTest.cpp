// The application object: the loop's order, idle behaviour, the window hooks, title, hint and action routes,
// error handling, the exit code, task-modal helpers and help.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "classlib/core/Synchronize.h"
#include "classlib/core/TCustomAction.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "classlib/win/ObjectInstance.h"

using apptest::EnsureApplication;
using apptest::PumpUntil;

namespace {

constexpr UINT kFirst = WM_APP + 11;
constexpr UINT kSecond = WM_APP + 12;
constexpr UINT kRewritten = WM_APP + 13;

// A utility window that logs what reaches its procedure.
struct LoggingWindow : TObject {
    LoggingWindow() { wnd = AllocateHWnd(MakeMethod<&LoggingWindow::WndProc>(this)); }
    ~LoggingWindow() override { DeallocateHWnd(wnd); }
    void WndProc(TMessage& m) {
        if (m.Msg >= WM_APP) log.push_back("wnd:" + std::to_string(m.Msg - WM_APP));
        if (m.Msg == WM_NULL) ++nulls;
        m.Result = ::DefWindowProcA(wnd, m.Msg, m.WParam, m.LParam);
    }
    HWND wnd = nullptr;
    std::vector<std::string> log;
    int nulls = 0;
};

// Event handlers of the tests, as methods of one object.
struct Events : TObject {
    std::vector<std::string>* log = nullptr;
    UINT handledMsg = 0;
    int idles = 0;
    bool doneArrived = false;
    bool leaveDone = true;
    int hints = 0;
    std::vector<std::string> exceptions;

    void Message(TMsg& msg, bool& handled) {
        if (msg.message >= WM_APP && log) log->push_back("msg:" + std::to_string(msg.message - WM_APP));
        if (msg.message == WM_NULL && msg.hwnd && log) log->push_back("msg:null");
        if (msg.message == handledMsg) handled = true;
    }
    void Idle(TObject*, bool& done) {
        ++idles;
        doneArrived = done;
        done = leaveDone;
    }
    void Hint(TObject*) { ++hints; }
    void Error(TObject*, const Exception& e) { exceptions.push_back(e.Message()); }
};

// Restores the application's events after a test.
class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    void TearDown() override {
        Application->OnMessage = nullptr;
        Application->OnIdle = nullptr;
        Application->OnHint = nullptr;
        Application->OnException = nullptr;
        Application->OnActionExecute = nullptr;
        Application->OnActionUpdate = nullptr;
        Application->OnHelp = nullptr;
        Application->OnMinimize = nullptr;
        Application->OnRestore = nullptr;
        Application->OnActivate = nullptr;
        Application->OnDeactivate = nullptr;
    }
};

HHOOK g_rewriteHook = nullptr;
LRESULT CALLBACK RewriteToNull(int code, WPARAM wp, LPARAM lp) {
    auto* msg = reinterpret_cast<MSG*>(lp);
    if (code == HC_ACTION && wp == PM_REMOVE && msg->message == kRewritten) msg->message = WM_NULL;
    return ::CallNextHookEx(g_rewriteHook, code, wp, lp);
}

}  // namespace

TEST_F(ApplicationTest, OnMessageSeesEachMessageBeforeItsWindowAndCanKeepItThere) {
    LoggingWindow window;
    Events events;
    events.log = &window.log;
    events.handledMsg = kSecond;
    Application->OnMessage = MakeMethod<&Events::Message>(&events);

    ::PostMessageA(window.wnd, kFirst, 0, 0);
    ::PostMessageA(window.wnd, kSecond, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(window.log, (std::vector<std::string>{"msg:11", "wnd:11", "msg:12"}));

    // A message hook that turns a message into WM_NULL on its way out of the queue: the loop passes on a
    // harmless WM_NULL and the original never arrives.
    window.log.clear();
    g_rewriteHook = ::SetWindowsHookExA(WH_GETMESSAGE, &RewriteToNull, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(g_rewriteHook, nullptr);
    ::PostMessageA(window.wnd, kRewritten, 0, 0);
    ::PostMessageA(window.wnd, kFirst, 0, 0);
    Application->ProcessMessages();
    ::UnhookWindowsHookEx(g_rewriteHook);
    EXPECT_EQ(window.log, (std::vector<std::string>{"msg:null", "msg:11", "wnd:11"}));
    EXPECT_EQ(window.nulls, 1);
}

namespace {
bool g_fired = false;
void CALLBACK SetFired(HWND, UINT, UINT_PTR, DWORD) { g_fired = true; }
}  // namespace

TEST_F(ApplicationTest, IdleWaitsForTheNextMessageInsteadOfSpinning) {
    Events events;
    Application->OnIdle = MakeMethod<&Events::Idle>(&events);
    g_fired = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, &SetFired);
    ASSERT_NE(timer, 0u);
    const DWORD start = ::GetTickCount();
    // The application's own blocking step, so that its idle passes can be counted; time-limited all the same.
    while (!g_fired && ::GetTickCount() - start < testsupport::kPumpTimeoutMs) Application->HandleMessage();
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_fired);
    EXPECT_TRUE(events.doneArrived);
    // One pass when the queue ran dry, one after the timer message, and a few for whatever else arrives.
    EXPECT_GE(events.idles, 1);
    EXPECT_LE(events.idles, 6);

    // An idle handler that is not done gets called again at once, without waiting for a message: many times
    // before a timer ends a loop that would wait (on a busy machine too).
    events.idles = 0;
    events.leaveDone = false;
    g_fired = false;
    const UINT_PTR timer2 = ::SetTimer(nullptr, 0, 2000, &SetFired);
    while (!g_fired && events.idles <= 20) Application->HandleMessage();
    ::KillTimer(nullptr, timer2);
    EXPECT_GT(events.idles, 20);
    EXPECT_FALSE(g_fired) << "the idle step waited for a message";
}

namespace {
struct HookSet : TObject {
    std::vector<std::string> log;
    UINT watched = 0;
    bool secondAnswers = true;
    bool First(TMessage& m) {
        if (m.Msg == watched) log.push_back("first");
        return false;
    }
    bool Second(TMessage& m) {
        if (m.Msg != watched) return false;
        log.push_back("second");
        m.Result = 77;
        return secondAnswers;
    }
    bool Third(TMessage& m) {
        if (m.Msg == watched) log.push_back("third");
        return false;
    }
    bool Creation(TMessage& m) {
        if (m.Msg == WM_NCCREATE) log.push_back("nccreate");
        if (m.Msg == WM_CREATE) log.push_back("create");
        return false;
    }
};
}  // namespace

TEST_F(ApplicationTest, WindowHooksRunInOrderAndTheFirstThatHandlesEndsTheMessage) {
    HookSet hooks;
    hooks.watched = WM_APP + 21;
    Application->HookMainWindow(MakeMethod<&HookSet::First>(&hooks));
    Application->HookMainWindow(MakeMethod<&HookSet::Second>(&hooks));
    Application->HookMainWindow(MakeMethod<&HookSet::Second>(&hooks));  // once only
    Application->HookMainWindow(MakeMethod<&HookSet::Third>(&hooks));
    EXPECT_EQ(::SendMessageA(Application->Handle(), hooks.watched, 0, 0), 77);
    EXPECT_EQ(hooks.log, (std::vector<std::string>{"first", "second"}));

    hooks.log.clear();
    Application->UnhookMainWindow(MakeMethod<&HookSet::Second>(&hooks));
    EXPECT_EQ(::SendMessageA(Application->Handle(), hooks.watched, 0, 0), 0);
    EXPECT_EQ(hooks.log, (std::vector<std::string>{"first", "third"}));
    Application->UnhookMainWindow(MakeMethod<&HookSet::First>(&hooks));
    Application->UnhookMainWindow(MakeMethod<&HookSet::Third>(&hooks));

    // Hooks installed before Initialize see the window being made; an application that goes puts back the
    // routes and handlers it replaced.
    const TNotifyEvent wake = GetWakeMainThread();
    {
        TObjectPtr<TApplication> second = MakeObject<TApplication>(nullptr);
        second->HookMainWindow(MakeMethod<&HookSet::Creation>(&hooks));
        hooks.log.clear();
        second->Initialize();
        EXPECT_NE(second->Handle(), nullptr);
        EXPECT_EQ(hooks.log, (std::vector<std::string>{"nccreate", "create"}));
        EXPECT_FALSE(GetWakeMainThread() == wake);
    }
    EXPECT_TRUE(GetWakeMainThread() == wake);
}

namespace {
struct ActionLog : TObject {
    std::vector<std::string> log;
    bool handle = false;
    void Execute(TBasicAction*, bool& handled) {
        log.push_back("event");
        handled = handle;
    }
    bool Hook(TMessage& m) {
        if (m.Msg == CM_ACTIONEXECUTE) log.push_back("execute");
        if (m.Msg == CM_ACTIONUPDATE) log.push_back("update");
        return false;
    }
};
}  // namespace

TEST_F(ApplicationTest, ActionsWithoutHandlersAskOnActionExecuteThenTheWindowHooks) {
    ActionLog log;
    Application->OnActionExecute = MakeMethod<&ActionLog::Execute>(&log);
    Application->HookMainWindow(MakeMethod<&ActionLog::Hook>(&log));
    TObjectPtr<TBasicAction> action = MakeObject<TBasicAction>(nullptr);
    log.handle = true;
    EXPECT_TRUE(action->Execute());
    log.handle = false;
    action->Execute();
    action->Update();
    Application->UnhookMainWindow(MakeMethod<&ActionLog::Hook>(&log));
    EXPECT_EQ(log.log, (std::vector<std::string>{"event", "event", "execute", "update"}));
}

TEST_F(ApplicationTest, TitleIsTheApplicationWindowsText) {
    Application->SetTitle("Vantorel \xE9t\xE9");
    char text[64] = {};
    ::GetWindowTextA(Application->Handle(), text, sizeof(text));
    EXPECT_STREQ(text, "Vantorel \xE9t\xE9");
    ::SetWindowTextA(Application->Handle(), "Set by someone else");
    EXPECT_EQ(Application->Title(), "Set by someone else");
}

namespace {
struct HintHook : TObject {
    std::vector<std::string> hints;
    bool Hook(TMessage& m) {
        if (m.Msg != CM_ACTIONEXECUTE) return false;
        auto* action = dynamic_cast<THintAction*>(reinterpret_cast<TBasicAction*>(m.LParam));
        if (!action) return false;
        hints.push_back(action->Hint());
        m.Result = 1;
        return true;
    }
};
}  // namespace

TEST_F(ApplicationTest, AHintChangeGoesToOnHintOrAsAHintActionThroughTheWindowHooks) {
    Application->SetHint("");
    Events events;
    Application->OnHint = MakeMethod<&Events::Hint>(&events);
    Application->SetHint("Opens a picture");
    Application->SetHint("Opens a picture");
    EXPECT_EQ(events.hints, 1);
    EXPECT_EQ(Application->Hint(), "Opens a picture");

    Application->OnHint = nullptr;
    HintHook hook;
    Application->HookMainWindow(MakeMethod<&HintHook::Hook>(&hook));
    Application->SetHint("Saves \x80\xFF");
    Application->SetHint("");
    Application->UnhookMainWindow(MakeMethod<&HintHook::Hook>(&hook));
    EXPECT_EQ(hook.hints, (std::vector<std::string>{"Saves \x80\xFF", ""}));
}

TEST_F(ApplicationTest, ExceptionsReachOnExceptionAndTheLoopGoesOn) {
    Events events;
    Application->OnException = MakeMethod<&Events::Error>(&events);
    struct Thrower : TObject {
        int after = 0;
        bool Hook(TMessage& m) {
            if (m.Msg == WM_APP + 31) throw EInvalidOperation("broken handler");
            if (m.Msg == WM_APP + 32) throw EAbort("silent");
            if (m.Msg == WM_APP + 33) throw std::runtime_error("from the standard library");
            if (m.Msg == WM_APP + 34) throw 34;
            if (m.Msg == WM_APP + 35) ++after;
            return false;
        }
    } thrower;
    Application->HookMainWindow(MakeMethod<&Thrower::Hook>(&thrower));
    ExitCode = 7;
    for (UINT m = WM_APP + 31; m <= WM_APP + 35; ++m) ::PostMessageA(Application->Handle(), m, 0, 0);
    Application->ProcessMessages();
    Application->UnhookMainWindow(MakeMethod<&Thrower::Hook>(&thrower));
    EXPECT_EQ(events.exceptions,
              (std::vector<std::string>{"broken handler", "from the standard library", "Unknown exception"}));
    EXPECT_EQ(thrower.after, 1);
    EXPECT_EQ(ExitCode, 7);

    // Outside a catch block there is nothing to handle.
    Application->HandleException(nullptr);
    EXPECT_EQ(events.exceptions.size(), 3u);
    ExitCode = 0;
}

TEST_F(ApplicationTest, TerminateEndsTheLoopAndLeavesTheExitCodeAlone) {
    TObjectPtr<TApplication> app = MakeObject<TApplication>(nullptr);
    app->Initialize();
    ExitCode = -1;
    app->Terminate();
    EXPECT_FALSE(app->Terminated());
    EXPECT_TRUE(testsupport::PumpUntil([&] { return app->Terminated(); }, testsupport::kPumpTimeoutMs,
                                       [&] { app->ProcessMessages(); }));
    EXPECT_EQ(ExitCode, -1);
    ExitCode = 0;
}

TEST_F(ApplicationTest, ShowExceptionShowsATaskModalMessageBoxAndThenEnablesTheOtherWindows) {
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                                   nullptr, nullptr);
    HWND disabledBefore = ::CreateWindowExA(0, "STATIC", "off", WS_POPUP | WS_VISIBLE | WS_DISABLED, 70, 10, 50, 50,
                                            nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ::SetActiveWindow(other);  // the box's owner
    std::string text;
    bool otherEnabledDuringBox = true;
    {
        apptest::MessageBoxCloser closer([&](HWND box) {
            char buffer[256] = {};
            ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
            text = buffer;
            otherEnabledDuringBox = ::IsWindowEnabled(other) != FALSE;
        });
        Application->ShowException(Exception("The file is damaged"));
        EXPECT_EQ(closer.Closed(), 1);
    }
    EXPECT_EQ(text, "The file is damaged.");
    EXPECT_FALSE(otherEnabledDuringBox);
    EXPECT_TRUE(::IsWindowEnabled(other));
    EXPECT_FALSE(::IsWindowEnabled(disabledBefore));  // was not switched on by the box
    ::DestroyWindow(other);
    ::DestroyWindow(disabledBefore);
}

TEST_F(ApplicationTest, AnOnExceptionThatFailsHasItsOwnErrorShownAndNothingEscapes) {
    // Whatever the handler raises, a class-library error or a standard one, its own text is shown.
    struct Failing : TObject {
        void Error(TObject*, const Exception&) { throw EInvalidOperation("The handler broke"); }
        void StandardError(TObject*, const Exception&) { throw std::runtime_error("The handler ran out"); }
    } failing;
    const std::pair<TExceptionEvent, std::string> cases[] = {
        {MakeMethod<&Failing::Error>(&failing), "The handler broke."},
        {MakeMethod<&Failing::StandardError>(&failing), "The handler ran out."},
    };
    for (const auto& [handler, expected] : cases) {
        Application->OnException = handler;
        std::string text;
        apptest::MessageBoxCloser closer([&](HWND box) {
            char buffer[256] = {};
            ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
            text = buffer;
        });
        try {
            throw EConvertError("Not a number");
        } catch (...) {
            EXPECT_NO_THROW(Application->HandleException(nullptr));
        }
        EXPECT_EQ(closer.Closed(), 1);
        EXPECT_EQ(text, expected);
    }
}

TEST_F(ApplicationTest, TaskModalDialogDisablesTheOtherWindowsEvenWhenTheDialogFails) {
    HWND a =
        ::CreateWindowExA(0, "STATIC", "a", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND b =
        ::CreateWindowExA(0, "STATIC", "b", WS_POPUP | WS_VISIBLE, 70, 10, 50, 50, nullptr, nullptr, nullptr, nullptr);
    int record = 5;
    bool sawDisabled = false;
    bool sawRecord = false;
    EXPECT_TRUE(Application->TaskModalDialog(
        [&](void* r) -> BOOL {
            sawRecord = r == &record;
            sawDisabled = !::IsWindowEnabled(a) && !::IsWindowEnabled(b) && Application->ModalLevel() == 1;
            return TRUE;
        },
        &record));
    EXPECT_TRUE(sawRecord);
    EXPECT_TRUE(sawDisabled);
    EXPECT_TRUE(::IsWindowEnabled(a) && ::IsWindowEnabled(b));
    EXPECT_EQ(Application->ModalLevel(), 0);

    EXPECT_THROW(Application->TaskModalDialog([](void*) -> BOOL { throw EInvalidOperation("dialog failed"); }, nullptr),
                 EInvalidOperation);
    EXPECT_TRUE(::IsWindowEnabled(a) && ::IsWindowEnabled(b));
    EXPECT_EQ(Application->ModalLevel(), 0);

    // The list skips a window destroyed while it was off, and keeps the active one on.
    void* list = Application->DisableTaskWindows(a);
    EXPECT_TRUE(::IsWindowEnabled(a));
    EXPECT_FALSE(::IsWindowEnabled(b));
    ::DestroyWindow(b);
    Application->EnableTaskWindows(list);
    EXPECT_TRUE(::IsWindowEnabled(a));
    ::DestroyWindow(a);
}

namespace {
struct HelpLog : TObject {
    std::vector<std::pair<int, std::intptr_t>> calls;
    bool answer = true;
    bool callHelp = false;
    bool Help(std::uint16_t command, std::intptr_t data, bool& call) {
        calls.emplace_back(command, data);
        call = callHelp;
        return answer;
    }
    bool AppKey(TMessage& m) {
        if (m.Msg != CM_APPKEYDOWN) return false;
        calls.emplace_back(-1, static_cast<std::intptr_t>(m.WParam));
        m.Result = m.WParam == 'O' ? 1 : 0;
        return true;
    }
};
}  // namespace

TEST_F(ApplicationTest, HelpCallsGoToOnHelpAndAContextOfZeroDoesNothing) {
    HelpLog help;
    Application->OnHelp = MakeMethod<&HelpLog::Help>(&help);
    Application->SetHelpFile("");
    EXPECT_TRUE(Application->HelpCommand(HELP_CONTENTS, 0));
    EXPECT_TRUE(Application->HelpContext(1204));
    EXPECT_FALSE(Application->HelpContext(0));
    help.answer = false;
    help.callHelp = true;  // no help file: nothing else is asked
    EXPECT_FALSE(Application->HelpCommand(HELP_QUIT, 0));
    EXPECT_EQ(help.calls,
              (std::vector<std::pair<int, std::intptr_t>>{{HELP_CONTENTS, 0}, {HELP_CONTEXT, 1204}, {HELP_QUIT, 0}}));
}

TEST_F(ApplicationTest, ShortCutsNobodyElseTookAskTheWindowHooks) {
    HelpLog hooks;
    Application->HookMainWindow(MakeMethod<&HelpLog::AppKey>(&hooks));
    TMessage key;
    key.Msg = WM_KEYDOWN;
    key.WParam = 'O';
    EXPECT_TRUE(Application->IsShortCut(key));
    key.WParam = 'P';
    EXPECT_FALSE(Application->IsShortCut(key));
    Application->UnhookMainWindow(MakeMethod<&HelpLog::AppKey>(&hooks));
    EXPECT_FALSE(Application->IsShortCut(key));
    EXPECT_EQ(hooks.calls.size(), 2u);
}

TEST_F(ApplicationTest, ActivationAndMinimizingFireTheirEvents) {
    struct Log : TObject {
        std::string events;
        void Activate(TObject*) { events += "A"; }
        void Deactivate(TObject*) { events += "D"; }
        void Minimize(TObject*) { events += "m"; }
        void Restore(TObject*) { events += "r"; }
    } log;
    Application->OnActivate = MakeMethod<&Log::Activate>(&log);
    Application->OnDeactivate = MakeMethod<&Log::Deactivate>(&log);
    Application->OnMinimize = MakeMethod<&Log::Minimize>(&log);
    Application->OnRestore = MakeMethod<&Log::Restore>(&log);
    ::SendMessageA(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(Application->Active());
    ::SendMessageA(Application->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(Application->Active());
    ::SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ::SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(log.events, "DAmr");
}

namespace {
std::vector<UINT> g_childKeys;
LRESULT CALLBACK KeyChildProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN) g_childKeys.push_back(static_cast<UINT>(wp));
    return ::DefWindowProcA(wnd, msg, wp, lp);
}
}  // namespace

TEST_F(ApplicationTest, TheDialogHandleTakesTheDialogKeysOfItsControls) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &KeyChildProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ApplicationTestKeyChild";
    ::RegisterClassA(&wc);
    HWND dialog = ::CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND first = ::CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 20, 20, dialog,
                                   nullptr, wc.hInstance, nullptr);
    ::CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 30, 0, 20, 20, dialog, nullptr,
                      wc.hInstance, nullptr);
    g_childKeys.clear();

    ::SendMessageA(Application->Handle(), CM_DIALOGHANDLE, 1, reinterpret_cast<LPARAM>(dialog));
    EXPECT_EQ(Application->DialogHandle(), dialog);
    EXPECT_EQ(::SendMessageA(Application->Handle(), CM_DIALOGHANDLE, 0, 0), reinterpret_cast<LRESULT>(dialog));
    ::PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(g_childKeys.empty());

    Application->SetDialogHandle(nullptr);
    ::PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
    Application->ProcessMessages();
    EXPECT_EQ(g_childKeys, (std::vector<UINT>{VK_TAB}));
    ::DestroyWindow(dialog);
}
