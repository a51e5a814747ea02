#include "classlib/win/TTimer.h"

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/ObjectInstance.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    window_ = AllocateHWnd(MakeMethod<&TTimer::WndProc>(this));
    TScopeExit undo([this] { DeallocateHWnd(window_); });
    UpdateTimer();
    undo.Dismiss();
}

TTimer::~TTimer() {
    if (running_) ::KillTimer(window_, kTimerId);
    DeallocateHWnd(window_);
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (running_) {
        ::KillTimer(window_, kTimerId);
        running_ = false;
    }
    if (interval_ == 0 || !enabled_) return;
    // The system raises intervals below its minimum to that minimum.
    if (!::SetTimer(window_, kTimerId, interval_, nullptr)) throw EOutOfResources("Not enough timers available");
    running_ = true;
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& message) {
    if (message.Msg == WM_TIMER) {
        try {
            Timer();
        } catch (...) {
            HandleCallbackException(this);
        }
        return;
    }
    message.Result = ::DefWindowProcA(window_, message.Msg, message.WParam, message.LParam);
}
