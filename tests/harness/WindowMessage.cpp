// The window test harness: a real window on the display receives a message that it posted to itself, and a
// window test program runs alone on its desktop.
#include <gtest/gtest.h>

#include <string>

#include "classlib/win/Win32.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr UINT kPing = WM_APP + 7;
int g_pings = 0;
WPARAM g_lastParam = 0;

LRESULT CALLBACK PingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kPing) {
        ++g_pings;
        g_lastParam = wp;
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace

TEST(Harness, WindowReceivesItsOwnPostedMessage) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantorelHarnessPing";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "ping", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    ShowWindow(wnd, SW_SHOW);
    ASSERT_TRUE(PostMessageA(wnd, kPing, 1234, 0));

    EXPECT_TRUE(testsupport::PumpUntil([] { return g_pings > 0; }));
    EXPECT_EQ(g_pings, 1);
    EXPECT_EQ(g_lastParam, 1234u);
    DestroyWindow(wnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

// Under ctest a window test program runs on a desktop of its own (scripts/wine-run), where no other program
// takes its focus; the desktop of a prefix's other programs is "Default".
TEST(Harness, AWindowTestRunsOnADesktopOfItsOwn) {
    char wanted[8] = {};
    if (GetEnvironmentVariableA("VANTOREL_WINE_DESKTOP", wanted, sizeof(wanted)) == 0 || wanted[0] != '1')
        GTEST_SKIP() << "run without a desktop of its own (VANTOREL_WINE_DESKTOP is not 1)";
    char name[64] = {};
    ASSERT_TRUE(
        GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof(name), nullptr));
    EXPECT_EQ(std::string(name).rfind("vantorel-", 0), 0u) << name;
}
