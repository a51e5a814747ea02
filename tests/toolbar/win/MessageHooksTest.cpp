#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "classlib/win/Win32.h"
#include "toolbar/win/MessageHooks.h"

namespace {

struct Heard {
    TTBHookKind kind;
    HWND window;
};
std::vector<Heard> g_heard;
std::vector<Heard> g_heardByThrower;
int g_got = 0;

void Recorder(TTBHookKind kind, HWND window, WPARAM, LPARAM) { g_heard.push_back({kind, window}); }
void Thrower(TTBHookKind kind, HWND window, WPARAM, LPARAM) {
    g_heardByThrower.push_back({kind, window});
    throw std::runtime_error("hook procedure failed");
}
void MessageCounter(TTBHookKind, HWND, WPARAM, LPARAM lParam) {
    if (reinterpret_cast<const MSG*>(lParam)->message == WM_USER + 7) ++g_got;
}

HWND MakeWindow() {
    return CreateWindowExA(0, "STATIC", "hooked", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

int CountKind(const std::vector<Heard>& heard, TTBHookKind kind, HWND window) {
    int n = 0;
    for (const Heard& h : heard) n += (h.kind == kind && h.window == window);
    return n;
}

class MessageHooks : public ::testing::Test {
protected:
    void SetUp() override {
        g_heard.clear();
        g_heardByThrower.clear();
        g_got = 0;
    }
    int owner1 = 0, owner2 = 0;
};

}  // namespace

TEST_F(MessageHooks, KindsReachTheirProceduresAndTheHooksFollowTheirUsers) {
    tb::InstallHookProc(&owner1, &Recorder, {hkWMActivate, hkCBTDestroy});
    tb::InstallHookProc(&owner2, &Recorder, {hkWMWindowPosChanged});
    EXPECT_EQ(tb::InstalledSystemHooks(), (TTBSystemHooks{shCallWndProc, shCBT}));

    HWND w = MakeWindow();
    SendMessageA(w, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageA(w, WM_ACTIVATEAPP, FALSE, 0);  // not registered
    SetWindowPos(w, nullptr, 10, 10, 60, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(CountKind(g_heard, hkWMActivate, w), 1);
    EXPECT_EQ(CountKind(g_heard, hkWMActivateApp, w), 0);
    EXPECT_GE(CountKind(g_heard, hkWMWindowPosChanged, w), 1);

    // One owner leaving keeps the other's kinds.
    tb::UninstallHookProc(&owner1, &Recorder);
    EXPECT_EQ(tb::InstalledSystemHooks(), TTBSystemHooks{shCallWndProc});
    g_heard.clear();
    SendMessageA(w, WM_ACTIVATE, WA_INACTIVE, 0);
    DestroyWindow(w);
    EXPECT_EQ(CountKind(g_heard, hkWMActivate, w), 0);
    EXPECT_EQ(CountKind(g_heard, hkCBTDestroy, w), 0);

    tb::UninstallHookProc(&owner2, &Recorder);
    EXPECT_EQ(tb::InstalledSystemHooks(), TTBSystemHooks{});
}

TEST_F(MessageHooks, AThrowingProcedureBreaksNeitherTheOthersNorTheWindow) {
    tb::InstallHookProc(&owner1, &Thrower, {hkCBTDestroy, hkWMActivate});
    tb::InstallHookProc(&owner1, &Recorder, {hkCBTDestroy});
    HWND w = MakeWindow();
    SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("still works"));
    char text[32] = {};
    GetWindowTextA(w, text, sizeof text);
    EXPECT_STREQ(text, "still works");
    SendMessageA(w, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(DestroyWindow(w));
    EXPECT_EQ(CountKind(g_heardByThrower, hkWMActivate, w), 1);
    EXPECT_EQ(CountKind(g_heardByThrower, hkCBTDestroy, w), 1);
    EXPECT_EQ(CountKind(g_heard, hkCBTDestroy, w), 1);
    EXPECT_FALSE(IsWindow(w));
    tb::UninstallHookProc(&owner1, &Thrower);
    tb::UninstallHookProc(&owner1, &Recorder);
    EXPECT_EQ(tb::InstalledSystemHooks(), TTBSystemHooks{});
}

namespace {
int g_owner3 = 0;
// Takes back its own and the recorder's registration from inside the hook.
void Leaver(TTBHookKind, HWND, WPARAM, LPARAM) {
    tb::UninstallHookProc(&g_owner3, &Leaver);
    tb::UninstallHookProc(&g_owner3, &Recorder);
}
}  // namespace

TEST_F(MessageHooks, ProceduresMayLeaveWhileTheHookRuns) {
    tb::InstallHookProc(&g_owner3, &Leaver, {hkCBTDestroy});
    tb::InstallHookProc(&g_owner3, &Recorder, {hkCBTDestroy});
    HWND w = MakeWindow();
    DestroyWindow(w);
    EXPECT_TRUE(g_heard.empty());  // the recorder was taken back before its turn
    EXPECT_EQ(tb::InstalledSystemHooks(), TTBSystemHooks{});
}

TEST_F(MessageHooks, RetrievedMessagesReachTheMessageKind) {
    tb::InstallHookProc(&owner1, &MessageCounter, {hkGetMessage});
    EXPECT_EQ(tb::InstalledSystemHooks(), TTBSystemHooks{shGetMessage});
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 7, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_USER + 7, WM_USER + 7, PM_REMOVE)) {}
    EXPECT_EQ(g_got, 1);
    tb::UninstallHookProc(&owner1, &MessageCounter);
    EXPECT_EQ(tb::InstalledSystemHooks(), TTBSystemHooks{});
}

namespace {
DWORD WINAPI OtherThread(LPVOID hooks) {
    *static_cast<TTBSystemHooks*>(hooks) = tb::InstalledSystemHooks();
    HWND w = MakeWindow();
    DestroyWindow(w);  // not this thread's hook
    return 0;
}
}  // namespace

TEST_F(MessageHooks, EachThreadHasItsOwnHooks) {
    tb::InstallHookProc(&owner1, &Recorder, {hkCBTDestroy});
    TTBSystemHooks onOtherThread{shGetMessage};
    HANDLE thread = CreateThread(nullptr, 0, &OtherThread, &onOtherThread, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(onOtherThread, TTBSystemHooks{});
    EXPECT_TRUE(g_heard.empty());
    tb::UninstallHookProc(&owner1, &Recorder);
}
