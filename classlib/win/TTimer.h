// A component that calls OnTimer every Interval milliseconds while Enabled, through a utility window and
// a system timer. It runs on the thread that created it, while that thread pumps messages.
#pragma once
#include "classlib/core/Messages.h"
#include "classlib/core/TComponent.h"
#include "classlib/win/Win32.h"

class TTimer : public TComponent {
    CLASSLIB_COMPONENT(TTimer, TComponent)

    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // Milliseconds between calls (default 1000). 0 stops the timer; 1 gives the system's shortest interval.
    // A change while running starts the interval anew.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    // Default true.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    TNotifyEvent OnTimer;

protected:
    // Calls OnTimer.
    virtual void Timer();

private:
    void WndProc(TMessage& message);
    void UpdateTimer();

    HWND window_ = nullptr;
    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
};
