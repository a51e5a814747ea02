// The application object for window tests: made once per test program (the unit start-up creates
// Application, Screen and Mouse), the shared message pump bound to the application's loop step, and the shared
// dialog driver answering the message boxes a test opens on purpose.
#pragma once
#include <functional>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/Win32.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/MessagePump.h"

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

// The same, failing the test with the state's name when the time limit passes.
inline bool WaitFor(const char* what, const std::function<bool()>& done,
                    DWORD timeoutMs = testsupport::kPumpTimeoutMs) {
    return testsupport::WaitFor(what, done, timeoutMs, ApplicationStep);
}

// Handles through the application's loop step what is queued (and what that queues) until only timers are left.
inline bool PumpQueued() { return testsupport::PumpQueued(ApplicationStep); }

// Handles messages through the application's loop step for ms milliseconds (to see that something does not happen).
inline void PumpFor(DWORD ms) { testsupport::PumpFor(ms, ApplicationStep); }

// Keeps the application's hints up for the time of a scope, however long a busy machine takes to check them.
class HintsStayUp {
public:
    HintsStayUp() : saved_(Application->HintHidePause()) {
        Application->SetHintHidePause(10 * static_cast<int>(testsupport::kPumpTimeoutMs));
    }
    ~HintsStayUp() { Application->SetHintHidePause(saved_); }
    HintsStayUp(const HintsStayUp&) = delete;
    HintsStayUp& operator=(const HintsStayUp&) = delete;

private:
    int saved_;
};

// A message box of this process (dialog class "#32770") owned by the given thread, or 0.
inline HWND FindMessageBox(DWORD threadId) { return testsupport::FindDialog({.thread = threadId}); }

// Answers the message box of the calling thread (OK) once it shows and ready() holds (no ready: at once),
// through the shared dialog driver; before answering it runs inspect with the box's window.
class MessageBoxCloser {
public:
    explicit MessageBoxCloser(std::function<void(HWND)> inspect = nullptr,
                              unsigned timeoutMs = 2 * testsupport::kPumpTimeoutMs,
                              std::function<bool()> ready = nullptr)
        : driver_(
              {},
              [inspect = std::move(inspect)](HWND box) {
                  if (inspect) inspect(box);
                  testsupport::PressButton(box, IDOK);
              },
              1, std::move(ready), timeoutMs) {}
    int Closed() const { return driver_.Answered(); }

private:
    testsupport::DialogDriver driver_;
};

}  // namespace apptest
