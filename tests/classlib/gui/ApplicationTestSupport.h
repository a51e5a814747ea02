// The application object for window tests: made once per test program (the unit start-up creates
// Application, Screen and Mouse), the shared message pump bound to the application's loop step, and a helper
// that closes the message boxes a test opens on purpose.
#pragma once
#include <atomic>
#include <chrono>
#include <functional>
#include <string_view>
#include <thread>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/Win32.h"
#include "support/MessagePump.h"

namespace apptest {

inline void EnsureApplication() {
    if (!Application) {
        RegisterFormsUnit();
        classlib::Startup();
    }
    Application->Initialize();
}

// The class library's own loop step for the shared message pump (tests/support/MessagePump.h): messages go
// through the application (its keyboard path, hints, OnMessage), without the idle step.
inline void ApplicationStep() { Application->ProcessMessages(); }

// Waits for a state through the application's loop step; returns whether it came in time.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = testsupport::kPumpTimeoutMs) {
    return testsupport::PumpUntil(done, timeoutMs, ApplicationStep);
}

// Handles messages through the application's loop step for ms milliseconds (to see that something does not happen).
inline void PumpFor(DWORD ms) { testsupport::PumpFor(ms, ApplicationStep); }

struct MessageBoxSearch {
    HWND found = nullptr;
};

inline BOOL CALLBACK FindVisibleDialog(HWND wnd, LPARAM data) {
    char name[16] = {};
    ::GetClassNameA(wnd, name, sizeof(name));
    if (std::string_view(name) == "#32770" && ::IsWindowVisible(wnd)) {
        reinterpret_cast<MessageBoxSearch*>(data)->found = wnd;
        return FALSE;
    }
    return TRUE;
}

// A message box of this process (dialog class "#32770") owned by the given thread, or 0.
inline HWND FindMessageBox(DWORD threadId) {
    MessageBoxSearch search;
    ::EnumThreadWindows(threadId, &FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Watches for a message box of the calling thread and answers it (IDOK) once it shows and ready() holds (no
// ready: at once); after timeoutMs it answers a box that is up whatever ready says. The destructor waits for
// the watcher. Before answering it runs inspect (on the watcher thread) with the box's window.
class MessageBoxCloser {
public:
    explicit MessageBoxCloser(std::function<void(HWND)> inspect = nullptr, unsigned timeoutMs = 5000,
                              std::function<bool()> ready = nullptr)
        : thread_(::GetCurrentThreadId()), inspect_(std::move(inspect)), ready_(std::move(ready)) {
        watcher_ = std::thread([this, timeoutMs] {
            const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
            while (!stop_) {
                const bool late = std::chrono::steady_clock::now() >= limit;
                HWND box = FindMessageBox(thread_);
                if (box && (late || !ready_ || ready_())) {
                    if (inspect_) inspect_(box);
                    ++closed_;  // before the box can return
                    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                    return;
                }
                if (late && !box && std::chrono::steady_clock::now() >= limit + std::chrono::seconds(5)) return;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    ~MessageBoxCloser() {
        stop_ = true;
        watcher_.join();
    }
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;
    int Closed() const { return closed_; }

private:
    DWORD thread_;
    std::function<void(HWND)> inspect_;
    std::function<bool()> ready_;
    std::atomic<bool> stop_{false};
    std::atomic<int> closed_{0};
    std::thread watcher_;
};

}  // namespace apptest
