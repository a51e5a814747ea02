// The one message pump of the window tests: handles the calling thread's messages until the state a test waits
// for holds, always with a time limit, so that a message that never comes fails the test instead of hanging it,
// and a busy machine only makes the wait longer, never the result different.
//
//   testsupport::WaitFor("the form active", [&] { return form->Active(); });   // fails the test on time-out
//   EXPECT_TRUE(testsupport::PumpUntil([&] { return form->Active(); }));       // the same, with its own message
//   testsupport::PumpUntil(done, 2000, apptest::ApplicationStep);   // through the class library's loop step
//   testsupport::PumpQueued();   // what has been posted, sent, typed or invalidated so far, and what that brings
//
// Wait for a state, not for a time: PumpFor is only for checking that something does NOT happen.
#pragma once
#include <gtest/gtest.h>

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

// PumpUntil that fails the running test, naming the state it waited for, when the time limit passes.
inline bool WaitFor(const char* what, const std::function<bool()>& done, DWORD timeoutMs = kPumpTimeoutMs,
                    const MessageStep& step = DispatchThreadMessages) {
    if (PumpUntil(done, timeoutMs, step)) return true;
    ADD_FAILURE() << "waited " << timeoutMs << " ms for " << what << " in vain";
    return false;
}

// Whether the calling thread has a message waiting that is not a timer's: posted or sent messages, input, or a
// window to paint. Timers are left out as they come back for ever.
inline bool MessagesQueued() {
    return HIWORD(::GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE | QS_INPUT | QS_PAINT)) != 0;
}

// Handles messages until none but timers' is left: what was posted, sent, typed or invalidated before the call
// has then been handled, with whatever handling it queued in turn. Fails the test when messages keep coming
// past the time limit.
inline bool PumpQueued(const MessageStep& step = DispatchThreadMessages, DWORD timeoutMs = kPumpTimeoutMs) {
    return WaitFor(
        "the message queue to empty", [] { return !MessagesQueued(); }, timeoutMs, step);
}

// Handles messages for ms milliseconds: for a test that checks that something does not happen in that time.
inline void PumpFor(DWORD ms, const MessageStep& step = DispatchThreadMessages) {
    PumpUntil([] { return false; }, ms, step);
}

}  // namespace testsupport
