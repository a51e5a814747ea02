#include "classlib/win/TProgressBar.h"

#include <algorithm>

namespace {
void RegisterProgressClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_PROGRESS_CLASS};
        return ::InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}
}  // namespace

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, max_);
    if (!HandleAllocated()) return;
    ::SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendPosition();
}

void TProgressBar::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    SendPosition();
}

void TProgressBar::SetStep(int value) {
    step_ = value;
    if (HandleAllocated()) ::SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

int TProgressBar::SteppedPosition(int position, int step, int min, int max) {
    // 64-bit sum: a step near the int limits must not wrap around.
    const long long next = static_cast<long long>(position) + step;
    if (next > max) return min;
    if (next < min) return max;
    return static_cast<int>(next);
}

void TProgressBar::StepIt() {
    position_ = SteppedPosition(position_, step_, min_, max_);
    SendPosition();
}

void TProgressBar::StepBy(int delta) {
    position_ = static_cast<int>(std::clamp<long long>(static_cast<long long>(position_) + delta, min_, max_));
    SendPosition();
}

void TProgressBar::SendPosition() {
    if (HandleAllocated()) ::SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::CreateParams(TCreateParams& params) {
    RegisterProgressClass();
    TWinControl::CreateParams(params);
    CreateSubClass(params, PROGRESS_CLASSA);
}

void TProgressBar::CreateWnd() {
    TWinControl::CreateWnd();
    HWND wnd = WindowHandle();
    ::SendMessageA(wnd, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    ::SendMessageA(wnd, PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
    SendPosition();
}
