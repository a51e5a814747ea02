#include <gtest/gtest.h>

#include "classlib/win/Win32.h"
#include "toolbar/win/SystemSettings.h"

namespace {

void SetSchemeSound(const char* event, const char* value) {
    const std::string path = std::string("AppEvents\\Schemes\\Apps\\.Default\\") + event + "\\.Current";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(strlen(value) + 1));
    RegCloseKey(key);
}

void DeleteScheme(const char* event) {
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("AppEvents\\Schemes\\Apps\\.Default\\") + event).c_str());
}

}  // namespace

TEST(SystemSettings, SoundsPlayOnlyWhenTheSchemeHasOne) {
    SetSchemeSound("VantorelTestLong", "C:\\windows\\media\\a very long sound file name.wav");
    SetSchemeSound("VantorelTestEmpty", "");
    EXPECT_TRUE(tb::NeedToPlaySound("VantorelTestLong"));  // longer than the probe
    EXPECT_FALSE(tb::NeedToPlaySound("VantorelTestEmpty"));
    EXPECT_FALSE(tb::NeedToPlaySound("VantorelTestMissing"));
    DeleteScheme("VantorelTestLong");
    DeleteScheme("VantorelTestEmpty");
}

TEST(SystemSettings, MenuDelayAndCuesFollowTheSystem) {
    DWORD saved = 0;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETMENUSHOWDELAY, 0, &saved, 0));
    SystemParametersInfoA(SPI_SETMENUSHOWDELAY, 250, nullptr, 0);
    EXPECT_EQ(tb::GetMenuShowDelay(), 250);
    SystemParametersInfoA(SPI_SETMENUSHOWDELAY, saved, nullptr, 0);
    BOOL cues = FALSE;
    if (SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0)) {
        EXPECT_EQ(tb::AreKeyboardCuesEnabled(), cues != 0);
    }
}

TEST(SystemSettings, OneMonitorGivesTheWorkAreaOrTheScreen) {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT p = tb::GetWorkArea(true, POINT{5, 5});
    EXPECT_TRUE(EqualRect(&work, &p)) << work.right << "x" << work.bottom;
    const RECT r = tb::GetWorkArea(false, RECT{0, 0, 10, 10});
    EXPECT_TRUE(EqualRect(&screen, &r));
    const RECT w = tb::GetWorkArea(true, GetDesktopWindow());
    EXPECT_TRUE(EqualRect(&work, &w));
}

TEST(SystemSettings, QueueHelpersKeepAPendingQuit) {
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 3, 0, 0);
    PostQuitMessage(7);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 4, 0, 0);
    tb::RemoveMessages(WM_USER + 3, WM_USER + 4);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    // After the quit the rest stays where it was.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}

    HWND w = CreateWindowExA(0, "STATIC", "p", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
    InvalidateRect(w, nullptr, TRUE);
    tb::ProcessPaintMessages();
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
    DestroyWindow(w);
}
