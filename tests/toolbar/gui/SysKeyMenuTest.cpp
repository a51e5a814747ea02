// What the system does with the menu keys on a plain top-level window, as real input: a menu bar relies on
// these WM_SYSCOMMAND SC_KEYMENU messages (key 0 for Alt alone and F10, the character for Alt+letter) to enter
// its keyboard mode. A raw window with its own message loop, so that nothing of the class library or the
// toolbars is involved. Wine 8 sends exactly these: wParam SC_KEYMENU (0xF100, no low bits) and lParam 0, 'f'
// and 0, each once. Alt alone and F10 come as WM_SYSKEYDOWN and WM_SYSKEYUP, the command at the key-up; Alt+F's
// command comes at its WM_SYSCHAR 'f' (before F is released), and the Alt released after F is a WM_KEYUP.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/win/Win32.h"
#include "tests/support/RealInput.h"

namespace {

struct KeyMenuCall {
    WPARAM command;
    LPARAM key;
};

std::vector<KeyMenuCall>* g_calls = nullptr;

LRESULT CALLBACK RecordingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        if (g_calls) g_calls->push_back({wParam, lParam});
        return 0;  // no system menu loop: the test only watches what arrives
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

using testsupport::PumpQueued;

INPUT Key(WORD vk, bool up) { return testsupport::KeyInput(vk, up); }

class SysKeyMenu : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SysKeyMenuTestWindow";
        wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        ::RegisterClassW(&wc);
        wnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"Keys", WS_OVERLAPPEDWINDOW, 60, 60, 300, 200, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(wnd_, nullptr);
        ::ShowWindow(wnd_, SW_SHOW);
        ::SetForegroundWindow(wnd_);
        ::SetFocus(wnd_);
        ASSERT_TRUE(testsupport::WaitFor("the window's focus", [&] { return ::GetFocus() == wnd_; }));
        ASSERT_TRUE(PumpQueued());
        g_calls = &calls_;
    }
    void TearDown() override {
        g_calls = nullptr;
        if (wnd_) ::DestroyWindow(wnd_);
        PumpQueued();
    }
    // Sends the keys as one input sequence and handles them and what they bring.
    void Send(std::vector<INPUT> keys) {
        ASSERT_EQ(::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
        ASSERT_TRUE(PumpQueued());
    }

    HWND wnd_ = nullptr;
    std::vector<KeyMenuCall> calls_;
};

}  // namespace

TEST_F(SysKeyMenu, AltPressedAndReleasedAloneSendsKeyMenuWithKeyZero) {
    Send({Key(VK_MENU, false), Key(VK_MENU, true)});
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].command, WPARAM(SC_KEYMENU));
    EXPECT_EQ(calls_[0].key, 0);
}

TEST_F(SysKeyMenu, AltWithALetterSendsKeyMenuWithTheLowerCaseCharacter) {
    Send({Key(VK_MENU, false), Key('F', false), Key('F', true), Key(VK_MENU, true)});
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].command, WPARAM(SC_KEYMENU));
    EXPECT_EQ(calls_[0].key, 'f');
}

TEST_F(SysKeyMenu, F10SendsKeyMenuWithKeyZero) {
    Send({Key(VK_F10, false), Key(VK_F10, true)});
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].command, WPARAM(SC_KEYMENU));
    EXPECT_EQ(calls_[0].key, 0);
}
