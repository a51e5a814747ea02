// The one way window tests meet a dialog they open on purpose (a message box, a file dialog, a form of the
// program): found by class, caption and owning thread, answered from inside its own modal loop on the thread
// that opened it, so that the answer runs where the dialog's objects live and a test can inspect them.
//
//   testsupport::DialogDriver ok({L"Three buttons"}, [](HWND box) { testsupport::PressButton(box, IDOK); });
//   const int answer = ShowTheBox();   // returns once the driver has pressed OK
//
// A dialog that never comes, or stays open past the time limit (closed then, so that the test ends), fails
// the test.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/Win32.h"
#include "tests/support/MessagePump.h"

namespace testsupport {

struct DialogMatch {
    std::wstring caption{};              // empty: any caption
    std::wstring className = L"#32770";  // empty: any class; "#32770" is the system's dialog class
    DWORD thread = 0;                    // 0: the calling thread
};

namespace detail {
struct DialogSearch {
    const DialogMatch* match;
    HWND found = nullptr;
};
inline BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    if (!::IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = {};
    if (!search->match->className.empty()) {
        ::GetClassNameW(window, text, 256);
        if (search->match->className != text) return TRUE;
    }
    if (!search->match->caption.empty()) {
        // Read without sending WM_GETTEXT, which would wait for a busy owner thread.
        text[0] = 0;
        ::InternalGetWindowText(window, text, 256);
        if (search->match->caption != text) return TRUE;
    }
    search->found = window;
    return FALSE;
}
}  // namespace detail

// The visible top-level window of the match's thread with its class and caption, or null.
inline HWND FindDialog(const DialogMatch& match) {
    detail::DialogSearch search{&match};
    ::EnumThreadWindows(match.thread ? match.thread : ::GetCurrentThreadId(), &detail::MatchDialog,
                        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// For a thread other than the dialog's (which sits in the dialog's loop meanwhile): waits until the dialog
// shows; returns it, or null once the time limit has passed.
inline HWND WaitForDialog(const DialogMatch& match, DWORD timeoutMs = kPumpTimeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND dialog = FindDialog(match)) return dialog;
        if (::GetTickCount64() >= end) return nullptr;
        ::Sleep(5);
    }
}

// Presses the dialog's button as its click does; handled when it returns (from the dialog's own thread).
inline void PressButton(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Answers a dialog of the calling thread from inside its modal loop: once the dialog shows and ready() holds
// (no ready: at once), action runs with its window, up to `answers` times, each on a later round of the loop
// than the one before, so that what the previous answer posted has been handled. A thread timer drives it,
// as a modal loop dispatches those whoever runs it. The destructor fails the test if it never answered; past
// the time limit a dialog still up is closed and the test fails.
class DialogDriver {
public:
    DialogDriver(DialogMatch match, std::function<void(HWND)> action, int answers = 1,
                 std::function<bool()> ready = nullptr, DWORD timeoutMs = 2 * kPumpTimeoutMs)
        : match_(std::move(match)),
          action_(std::move(action)),
          ready_(std::move(ready)),
          answers_(answers),
          deadline_(::GetTickCount64() + timeoutMs) {
        if (!match_.thread) match_.thread = ::GetCurrentThreadId();
        timer_ = ::SetTimer(nullptr, 0, 10, &DialogDriver::Tick);
        Drivers().push_back({timer_, this});
    }
    ~DialogDriver() {
        ::KillTimer(nullptr, timer_);
        std::erase_if(Drivers(), [this](const auto& entry) { return entry.second == this; });
        const std::string name(match_.caption.begin(), match_.caption.end());  // for the message only
        EXPECT_GT(answered_, 0) << "no dialog \"" << name << "\" came up to be answered";
        EXPECT_FALSE(expired_) << "the dialog \"" << name << "\" stayed open past the time limit";
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    int Answered() const { return answered_; }
    HWND Found() const { return found_; }

private:
    // Several drivers may wait at once (a dialog and the box it raises): each timer finds its own.
    static std::vector<std::pair<UINT_PTR, DialogDriver*>>& Drivers() {
        static std::vector<std::pair<UINT_PTR, DialogDriver*>> drivers;
        return drivers;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
        for (const auto& [id, driver] : Drivers())
            if (id == timer) return driver->Step();
    }
    void Step() {
        if (running_ || expired_) return;
        const HWND dialog = FindDialog(match_);
        if (!dialog) return;
        found_ = dialog;
        if (::GetTickCount64() >= deadline_) {
            expired_ = true;
            ::PostMessageW(dialog, WM_CLOSE, 0, 0);
            return;
        }
        if (answered_ >= answers_ || (ready_ && !ready_())) return;
        running_ = true;
        ++answered_;  // before the action, as answering may end the dialog's loop
        action_(dialog);
        running_ = false;
    }

    DialogMatch match_;
    std::function<void(HWND)> action_;
    std::function<bool()> ready_;
    int answers_;
    ULONGLONG deadline_;
    UINT_PTR timer_ = 0;
    HWND found_ = nullptr;
    int answered_ = 0;
    bool running_ = false;
    bool expired_ = false;
};

}  // namespace testsupport
