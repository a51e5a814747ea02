// Windowed controls: creation and window marks, the hookable WindowProc chain, text through Perform and
// re-creation, reparenting a live window, showing, reflection of child notifications, and exceptions that
// must stay inside the window procedure.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/classlib/gui/ControlTestSupport.h"
#include "classlib/core/CallbackExceptions.h"
#include "classlib/win/WindowDC.h"

using namespace controltest;

namespace {

// A handler put in front of a control's WindowProc the way the Unicode layer does: it forwards everything to
// the handler that was there before and notices an all-zero probe message.
struct ForeignHook {
    TWndMethod previous;
    bool probeSeen = false;
    std::vector<std::uint32_t> seen;
    void Handle(TMessage& message) {
        if (message.Msg == 0 && message.WParam == 0 && message.LParam == 0 && message.Result == 0) probeSeen = true;
        seen.push_back(message.Msg);
        previous(message);
    }
    int Count(std::uint32_t msg) const {
        int n = 0;
        for (std::uint32_t m : seen) n += m == msg;
        return n;
    }
};

// A system button subclassed by program code: it records the reflected notifications it gets.
struct RawButton {
    static inline std::vector<UINT> received;
    static inline WNDPROC original = nullptr;
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg >= CN_BASE && msg < CN_BASE + 0x400) {
            received.push_back(msg);
            return msg == CN_COMMAND ? 42 : 0;
        }
        return ::CallWindowProcA(original, wnd, msg, wParam, lParam);
    }
};

AnsiString WindowText(HWND wnd) {
    char buf[256] = {};
    ::GetWindowTextA(wnd, buf, sizeof buf);
    return buf;
}

}  // namespace

TEST_F(ControlTest, WindowsAreMarkedAndFoundAgain) {
    TLogPanel* child = Child(root_, 10, 10, 50, 20);
    HWND wnd = child->Handle();
    EXPECT_EQ(FindControl(wnd), child);
    EXPECT_EQ(FindControl(root_->Handle()), root_);
    EXPECT_EQ(FindControl(host_), nullptr) << "a window the library did not make";
    EXPECT_EQ(FindControl(nullptr), nullptr);
    EXPECT_EQ(::GetPropA(wnd, WindowAtomName().c_str()), child);
    EXPECT_EQ(::GetPropA(wnd, ControlAtomName().c_str()), child);
    EXPECT_EQ(WindowAtomName().substr(0, 8), "Vantorel");
    EXPECT_EQ(WindowAtomName().size(), 16u);
    EXPECT_EQ(ControlAtomName().substr(0, 10), "ControlOfs");
    EXPECT_EQ(ControlAtomName().size(), 26u);
    EXPECT_EQ(::GetWindowLongPtrA(wnd, GWLP_ID), reinterpret_cast<LONG_PTR>(wnd))
        << "a child without id gets its handle";
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(wnd, GWLP_WNDPROC)), child->ObjectInstance());
    EXPECT_EQ(CreationControl(), nullptr);
    char cls[64] = {};
    ::GetClassNameA(wnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "TLogPanel");
    EXPECT_EQ(::GetParent(wnd), root_->Handle());
    EXPECT_EQ(::GetParent(root_->Handle()), host_);

    // A windowed control without any parent window cannot make a child window.
    TLogPanel* orphan = Create<TLogPanel>(Owner());
    EXPECT_THROW(orphan->HandleNeeded(), EInvalidOperation);
    EXPECT_FALSE(orphan->HandleAllocated());
    EXPECT_EQ(CreationControl(), nullptr) << "cleared after a failed creation";
}

TEST_F(ControlTest, AForeignHandlerInWindowProcSeesPerformAndSystemMessages) {
    TLogPanel* c = Child(root_, 10, 10, 80, 20);
    EXPECT_TRUE(c->WindowProc == c->OwnWindowProc());
    EXPECT_EQ(sizeof(TMessage), 4 * sizeof(void*)) << "16 bytes on 32-bit Windows";

    ForeignHook hook;
    hook.previous = c->WindowProc;
    c->WindowProc = MakeMethod<&ForeignHook::Handle>(&hook);
    EXPECT_FALSE(c->WindowProc == c->OwnWindowProc());

    TMessage probe;
    c->WindowProc(probe);
    EXPECT_TRUE(hook.probeSeen);
    EXPECT_EQ(probe.Result, 0);

    c->SetText("caption");
    EXPECT_GE(hook.Count(WM_SETTEXT), 1) << "text goes through WindowProc";
    EXPECT_GE(hook.Count(WM_GETTEXTLENGTH), 1);
    EXPECT_EQ(hook.Count(CM_TEXTCHANGED), 1);
    EXPECT_EQ(c->Text(), "caption");
    EXPECT_GE(hook.Count(WM_GETTEXT), 1);
    EXPECT_EQ(WindowText(c->Handle()), "caption");

    // What the system sends arrives through MainWndProc and the same chain.
    int before = hook.Count(WM_USER + 7);
    ::SendMessageA(c->Handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(hook.Count(WM_USER + 7), before + 1);

    c->WindowProc = hook.previous;
    EXPECT_TRUE(c->WindowProc == c->OwnWindowProc());
    hook.seen.clear();
    c->SetText("again");
    EXPECT_TRUE(hook.seen.empty());
}

TEST_F(ControlTest, TextIsKeptWithoutWindowAndAcrossRecreation) {
    TLogPanel* panel = Create<TLogPanel>(Owner());
    panel->SetText("before window");
    EXPECT_EQ(panel->Count(CM_TEXTCHANGED), 1);
    panel->SetText("before window");
    EXPECT_EQ(panel->Count(CM_TEXTCHANGED), 1) << "the same text again is no change";
    EXPECT_FALSE(panel->HandleAllocated());
    panel->SetBounds(5, 5, 200, 100);
    panel->SetParent(root_);
    ASSERT_TRUE(panel->HandleAllocated());
    EXPECT_EQ(WindowText(panel->Handle()), "before window");

    TTestEdit* edit = Child<TTestEdit>(panel, 5, 5, 100, 20);
    edit->SetText("typed text");
    HWND oldPanel = panel->Handle();
    HWND oldEdit = edit->Handle();
    panel->RecreateWnd();
    ASSERT_TRUE(panel->HandleAllocated());
    ASSERT_TRUE(edit->HandleAllocated()) << "a showing child gets its window back";
    EXPECT_FALSE(::IsWindow(oldPanel));
    EXPECT_FALSE(::IsWindow(oldEdit));
    EXPECT_EQ(WindowText(panel->Handle()), "before window");
    EXPECT_EQ(WindowText(edit->Handle()), "typed text");
    EXPECT_EQ(edit->Text(), "typed text");
    EXPECT_EQ(::GetParent(edit->Handle()), panel->Handle());
    EXPECT_TRUE(::IsWindowVisible(edit->Handle()));
    EXPECT_EQ(FindControl(edit->Handle()), edit);

    // A long text comes back whole through the Perform path.
    AnsiString longText(5000, 'x');
    edit->SetText(longText);
    EXPECT_EQ(edit->GetTextLen(), 5000);
    EXPECT_EQ(edit->Text(), longText);
    char small[4];
    EXPECT_EQ(edit->GetTextBuf(small, sizeof small), 3);
    EXPECT_STREQ(small, "xxx");
}

TEST_F(ControlTest, ReparentingKeepsTheSameWindowAndTheChildsText) {
    TLogPanel* dock = Child(root_, 0, 0, 150, 200);
    TLogPanel* floating = Child(root_, 150, 0, 150, 200);
    TLogPanel* tool = Child(dock, 5, 5, 120, 60);
    TTestEdit* edit = Child<TTestEdit>(tool, 5, 5, 100, 20);
    edit->SetText("kept");
    const HWND toolWnd = tool->Handle();
    const HWND editWnd = edit->Handle();

    auto move = [&](TLogPanel* to) {
        tool->SetWindowHandle(nullptr);
        EXPECT_FALSE(tool->HandleAllocated());
        tool->SetParent(nullptr);
        tool->SetParent(to);
        EXPECT_FALSE(tool->HandleAllocated()) << "nothing is created while detached";
        tool->SetWindowHandle(toolWnd);
        ::SetParent(toolWnd, to->Handle());
        ::SetWindowPos(toolWnd, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };

    dock->Log.clear();
    move(floating);
    // The old parent was told, in order: control change, then list change, both as a removal.
    ASSERT_EQ(dock->Log.size(), 2u);
    EXPECT_EQ(dock->Log[0].Msg, CM_CONTROLCHANGE);
    EXPECT_EQ(dock->Log[1].Msg, CM_CONTROLLISTCHANGE);
    EXPECT_EQ(dock->Log[0].WParam, reinterpret_cast<std::uintptr_t>(tool));
    EXPECT_EQ(dock->Log[1].LParam, 0);
    // The new parent: list change first, then control change, both as an insertion.
    ASSERT_GE(floating->Log.size(), 2u);
    EXPECT_EQ(floating->Log[floating->Log.size() - 2].Msg, CM_CONTROLLISTCHANGE);
    EXPECT_EQ(floating->Log.back().Msg, CM_CONTROLCHANGE);
    EXPECT_EQ(floating->Log.back().LParam, 1);

    EXPECT_EQ(tool->Handle(), toolWnd);
    EXPECT_EQ(::GetParent(toolWnd), floating->Handle());
    EXPECT_EQ(tool->Parent(), floating);
    EXPECT_EQ(FindControl(toolWnd), tool);
    EXPECT_EQ(edit->Handle(), editWnd);
    EXPECT_EQ(edit->Text(), "kept");

    // Re-creating the old parent leaves the moved window alone.
    dock->RecreateWnd();
    EXPECT_TRUE(::IsWindow(toolWnd));
    EXPECT_EQ(tool->Handle(), toolWnd);

    move(dock);
    EXPECT_EQ(tool->Handle(), toolWnd);
    EXPECT_EQ(::GetParent(toolWnd), dock->Handle());
    EXPECT_EQ(edit->Handle(), editWnd);
    EXPECT_EQ(WindowText(editWnd), "kept");
    EXPECT_EQ(tool->Controls(0), edit);
}

TEST_F(ControlTest, ADetachedWindowStillHasItsDefaultsAndGoesWithItsControl) {
    TTestEdit* edit = Child<TTestEdit>(root_, 5, 5, 100, 20);
    edit->SetText("abc");
    HWND wnd = edit->Handle();
    edit->SetWindowHandle(nullptr);
    // The system's edit procedure still answers for the live window.
    char buf[8] = {};
    EXPECT_EQ(::SendMessageA(wnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf)), 3);
    EXPECT_STREQ(buf, "abc");
    Free(edit);
    EXPECT_FALSE(::IsWindow(wnd)) << "no window is left calling a freed control";
}

TEST_F(ControlTest, ShowingChangesOnlyThroughItsNotification) {
    TLogPanel* panel = Child(root_, 10, 10, 100, 100);
    TLogPanel* inner = Child(panel, 10, 10, 50, 50);
    ASSERT_TRUE(inner->Showing());
    EXPECT_TRUE(::IsWindowVisible(inner->Handle()));
    inner->Log.clear();

    panel->SetVisible(false);
    EXPECT_FALSE(panel->Showing());
    EXPECT_FALSE(inner->Showing()) << "a hidden parent hides its children";
    EXPECT_TRUE(inner->Visible());
    EXPECT_EQ(inner->Count(CM_SHOWINGCHANGED), 1);
    EXPECT_FALSE(::IsWindowVisible(panel->Handle()));

    panel->SetVisible(true);
    EXPECT_TRUE(inner->Showing());
    EXPECT_EQ(inner->Count(CM_SHOWINGCHANGED), 2);
    EXPECT_TRUE(::IsWindowVisible(inner->Handle()));

    // A control that takes over the notification decides alone whether its window is shown.
    class TSelfShown : public TLogPanel {
        CLASSLIB_COMPONENT(TSelfShown, TLogPanel)
        CLASSLIB_MESSAGES(TSelfShown, CLASSLIB_ON(CM_SHOWINGCHANGED, &TSelfShown::ShowingChanged))
        explicit TSelfShown(TComponent* owner) : TLogPanel(owner) {}
        int calls = 0;
        void ShowingChanged(TMessage&) { ++calls; }
    };
    auto* self = Child<TSelfShown>(root_, 150, 10, 50, 50);
    ASSERT_TRUE(self->HandleAllocated());
    EXPECT_EQ(self->calls, 1);
    EXPECT_TRUE(self->Showing());
    EXPECT_FALSE(::IsWindowVisible(self->Handle())) << "no other route shows the window";
}

TEST_F(ControlTest, NotificationsOfAChildAreReflectedToTheChildWindow) {
    // A raw system button, subclassed by the test and not known to the library.
    HWND button = ::CreateWindowExA(0, "BUTTON", "raw", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, root_->Handle(),
                                    reinterpret_cast<HMENU>(77), nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    std::vector<UINT>& received = RawButton::received;
    received.clear();
    RawButton::original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(button, GWLP_WNDPROC));
    ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RawButton::Proc));

    HWND parent = root_->Handle();
    EXPECT_EQ(::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(button)), 42);
    NMHDR header{button, 77, NM_CLICK};
    ::SendMessageA(parent, WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header));
    ::SendMessageA(parent, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(button));
    const TWindowDC dcWindowDC(parent);
    HDC dc = dcWindowDC.Get();
    LRESULT brush =
        ::SendMessageA(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button));
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0], CN_COMMAND);
    EXPECT_EQ(received[1], CN_NOTIFY);
    EXPECT_EQ(received[2], CN_HSCROLL);
    EXPECT_EQ(received[3], CN_CTLCOLORBTN);
    EXPECT_NE(brush, 0) << "a child that picks no colour gets the default one";

    // A command from a menu (no child window) is not reflected.
    ::SendMessageA(parent, WM_COMMAND, 5, 0);
    EXPECT_EQ(received.size(), 4u);
    ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RawButton::original));
    ::DestroyWindow(button);
}

TEST_F(ControlTest, ExceptionsInHandlersStayInsideTheWindowProcedure) {
    class TThrowing : public TLogPanel {
        CLASSLIB_COMPONENT(TThrowing, TLogPanel)
        CLASSLIB_MESSAGES(TThrowing, CLASSLIB_ON(WM_APP + 3, &TThrowing::Fail))
        explicit TThrowing(TComponent* owner) : TLogPanel(owner) {}
        void Fail(TMessage&) { throw EInvalidOperation("handler failed"); }
    };
    auto* c = Child<TThrowing>(root_, 0, 0, 20, 20);

    struct Recorder {
        TObject* sender = nullptr;
        AnsiString message;
        void Handle(TObject* s) {
            sender = s;
            try {
                throw;
            } catch (const Exception& e) {
                message = e.Message();
            }
        }
    } recorder;
    TCallbackExceptionHandler previous = SetCallbackExceptionHandler(MakeMethod<&Recorder::Handle>(&recorder));
    LRESULT r = ::SendMessageA(c->Handle(), WM_APP + 3, 0, 0);
    SetCallbackExceptionHandler(previous);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(recorder.sender, c);
    EXPECT_EQ(recorder.message, "handler failed");
    // The direct path raises to its caller as usual.
    EXPECT_THROW(c->Perform(WM_APP + 3), EInvalidOperation);
}

TEST_F(ControlTest, ParentRulesAndChildListOrder) {
    TLogPanel* panel = Child(root_, 0, 0, 100, 100);
    EXPECT_THROW(panel->SetParent(panel), EInvalidOperation);
    TLogPanel* inner = Child(panel, 0, 0, 10, 10);
    EXPECT_THROW(panel->SetParent(inner), EInvalidOperation) << "no cycles";
    class TDot : public TGraphicControl {
        CLASSLIB_COMPONENT(TDot, TGraphicControl)
        explicit TDot(TComponent* owner) : TGraphicControl(owner) {}
    };
    TDot* dot = Create<TDot>(Owner());
    dot->SetBounds(0, 0, 10, 10);
    dot->SetParent(panel);
    // Non-windowed children are listed before windowed ones.
    ASSERT_EQ(panel->ControlCount(), 2);
    EXPECT_EQ(panel->Controls(0), dot);
    EXPECT_EQ(panel->Controls(1), inner);
    EXPECT_THROW(panel->Controls(2), EListError);
    EXPECT_TRUE(root_->ContainsControl(dot));
    EXPECT_EQ(panel->ControlAtPos(TPoint{5, 5}, false), dot) << "graphic children above windowed ones";
    dot->SetVisible(false);
    EXPECT_EQ(panel->ControlAtPos(TPoint{5, 5}, false), nullptr) << "windowed children only when asked";
    EXPECT_EQ(panel->ControlAtPos(TPoint{5, 5}, false, true), inner);

    // Freeing a parent frees the children it still holds, whoever owns them.
    TObjectPtr<TComponent> otherOwner = MakeObject<TComponent>(nullptr);
    TLogPanel* lonely = Create<TLogPanel>(otherOwner.get());
    lonely->SetParent(panel);
    EXPECT_EQ(otherOwner->ComponentCount(), 1);
    Free(panel);
    EXPECT_EQ(otherOwner->ComponentCount(), 0);
    EXPECT_EQ(root_->ControlCount(), 0);
}

namespace {

// The window marks are process-wide and made once: their tests run this program again as a child process (with
// childFlag set and only the test itself selected) so that the child starts without marks.
struct ChildRun {
    DWORD exitCode = 1;
    DWORD processId = 0;
    DWORD startError = 0;  // why the child did not start
};

// The window atom named after a process id.
std::string WindowAtomOfProcess(DWORD processId) {
    char name[32];
    std::snprintf(name, sizeof name, "Vantorel%.8X", static_cast<unsigned>(processId));
    return name;
}

// Runs the test in a child process; beforeStart gets the child's id while it is still suspended.
ChildRun RunInChildProcess(const char* testName, const char* childFlag,
                           const std::function<void(DWORD)>& beforeStart = nullptr) {
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    AnsiString command = AnsiString("\"") + exe + "\" --gtest_filter=ControlMarks." + testName;
    ::SetEnvironmentVariableA(childFlag, "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    BOOL started = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                    nullptr, &startup, &process);
    ChildRun run;
    run.startError = started ? 0 : ::GetLastError();
    ::SetEnvironmentVariableA(childFlag, nullptr);
    if (!started) return run;
    if (beforeStart) beforeStart(process.dwProcessId);
    ::ResumeThread(process.hThread);
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    run.processId = process.dwProcessId;
    return run;
}

bool IsChildRun(const char* childFlag) { return ::GetEnvironmentVariableA(childFlag, nullptr, 0) != 0; }

}  // namespace

// The global atoms that mark the library's windows are released when the process ends; otherwise every run
// would leave two entries in the session's atom table. Several threads make their first windows at once, so
// the atoms must still be added only once each.
TEST(ControlMarks, TheWindowAtomsAreReleasedWhenTheProcessEnds) {
    const char* childFlag = "VANTOREL_CONTROL_MARKS_CHILD";
    if (IsChildRun(childFlag)) {
        std::atomic<int> waiting{4};
        std::atomic<int> found{0};
        auto makeWindow = [&] {
            HWND host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
            TObjectPtr<TLogPanel> panel = MakeObject<TLogPanel>(nullptr);
            --waiting;
            while (waiting > 0) std::this_thread::yield();
            panel->SetParentWindow(host);
            if (panel->HandleAllocated() && FindControl(panel->Handle()) == panel.get()) ++found;
            panel.reset();
            ::DestroyWindow(host);
        };
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i) threads.emplace_back(makeWindow);
        for (std::thread& t : threads) t.join();
        EXPECT_EQ(found, 4);
        EXPECT_NE(::GlobalFindAtomA(WindowAtomName().c_str()), 0);
        EXPECT_NE(::GlobalFindAtomA(ControlAtomName().c_str()), 0);
        return;
    }
    // A program that was ended or crashed on purpose leaves its atom behind, and the system hands its id out
    // again: such an atom under the child's id goes before the child starts.
    ChildRun run = RunInChildProcess("TheWindowAtomsAreReleasedWhenTheProcessEnds", childFlag, [](DWORD child) {
        const std::string stale = WindowAtomOfProcess(child);
        for (int i = 0; i < 100; ++i) {
            const ATOM atom = ::GlobalFindAtomA(stale.c_str());
            if (!atom) break;
            ::GlobalDeleteAtom(atom);
        }
    });
    ASSERT_NE(run.processId, 0u) << "the child did not start, error " << run.startError;
    EXPECT_EQ(run.exitCode, 0u) << "the children made their windows and found their atoms";
    const std::string name = WindowAtomOfProcess(run.processId);
    EXPECT_EQ(::GlobalFindAtomA(name.c_str()), 0) << name;
}

// The control mark carries a thread id in its name, which other code rebuilds to mark its own windows the
// same way: it is the thread that started the module, not whichever thread made the first window.
TEST(ControlMarks, TheControlMarkIsNamedAfterTheModulesThread) {
    const char* childFlag = "VANTOREL_CONTROL_MARK_NAME_CHILD";
    if (IsChildRun(childFlag)) {
        const DWORD moduleThread = ::GetCurrentThreadId();
        AnsiString name;
        bool found = false;
        std::thread worker([&] {
            HWND host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
            TObjectPtr<TLogPanel> panel = MakeObject<TLogPanel>(nullptr);
            panel->SetParentWindow(host);
            name = ControlAtomName();
            found = panel->HandleAllocated() && ::GetPropA(panel->Handle(), name.c_str()) == panel.get();
            panel.reset();
            ::DestroyWindow(host);
        });
        worker.join();
        char expected[32];
        std::snprintf(expected, sizeof expected, "ControlOfs%.8X%.8X",
                      static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(::GetModuleHandleA(nullptr))),
                      static_cast<unsigned>(moduleThread));
        EXPECT_EQ(name, expected);
        EXPECT_EQ(ControlAtomName(), expected) << "the same name on every thread";
        EXPECT_TRUE(found) << "the worker's window carries the mark under that name";
        return;
    }
    ChildRun run = RunInChildProcess("TheControlMarkIsNamedAfterTheModulesThread", childFlag);
    ASSERT_NE(run.processId, 0u) << "the child did not start, error " << run.startError;
    EXPECT_EQ(run.exitCode, 0u);
}
