// Runs the calling thread's messages for the window tests, always with a time limit, so that a message that
// never comes fails the test instead of hanging it.
#pragma once
#include <functional>

#include "classlib/win/Win32.h"

namespace testsupport {

// Dispatches this thread's messages until done() holds (checked after each message and on every wake-up)
// or timeoutMs has passed; returns done().
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            if (done()) return true;
        }
        if (done()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

// Dispatches this thread's messages for ms milliseconds.
inline void PumpMessagesFor(DWORD ms) { PumpMessagesUntil([] { return false; }, ms); }

}  // namespace testsupport
