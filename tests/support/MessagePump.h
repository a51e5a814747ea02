// The one message pump of the window tests: handles the calling thread's messages until the state a test waits
// for holds, always with a time limit, so that a message that never comes fails the test instead of hanging it,
// and a busy machine only makes the wait longer, never the result different.
//
//   EXPECT_TRUE(testsupport::PumpUntil([&] { return form->Active(); }));
//   testsupport::PumpUntil(done, 2000, apptest::ApplicationStep);   // through the class library's loop step
//
// Wait for a state, not for a time: PumpFor is only for checking that something does NOT happen.
#pragma once
#include <functional>

#include "classlib/win/Win32.h"

namespace testsupport {

// How long a wait for a state may take before the test fails; generous, as it only ends a failing test.
constexpr DWORD kPumpTimeoutMs = 5000;

// One round of handling messages.
using MessageStep = std::function<void()>;

// Handles every message queued for the calling thread, and what handling them queues meanwhile, with the
// system's plain translate-and-dispatch.
inline void DispatchThreadMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Runs step until done() holds (checked after every round and every wake-up) or timeoutMs has passed; returns
// done(). Between rounds it sleeps until a message arrives, at most 10 ms (some states change without one).
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kPumpTimeoutMs,
                      const MessageStep& step = DispatchThreadMessages) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        step();
        if (done()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now < 10 ? end - now : 10),
                                    QS_ALLINPUT);
    }
}

// Handles messages for ms milliseconds: for a test that checks that something does not happen in that time.
inline void PumpFor(DWORD ms, const MessageStep& step = DispatchThreadMessages) {
    PumpUntil([] { return false; }, ms, step);
}

}  // namespace testsupport
