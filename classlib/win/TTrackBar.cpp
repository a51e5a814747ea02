#include "classlib/win/TTrackBar.h"

#include <algorithm>

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

std::intptr_t TTrackBar::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(WindowHandle(), msg, wParam, lParam);
}

void TTrackBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, TRACKBAR_CLASSA);
    params.Style |= TBS_FIXEDLENGTH | (orientation_ == trVertical ? TBS_VERT : TBS_HORZ);
    switch (tickStyle_) {
        case tsNone: params.Style |= TBS_NOTICKS; break;
        case tsAuto: params.Style |= TBS_AUTOTICKS; break;
        case tsManual: break;
    }
    switch (tickMarks_) {
        case tmBottomRight: params.Style |= orientation_ == trVertical ? TBS_RIGHT : TBS_BOTTOM; break;
        case tmTopLeft: params.Style |= orientation_ == trVertical ? TBS_LEFT : TBS_TOP; break;
        case tmBoth: params.Style |= TBS_BOTH; break;
    }
}

void TTrackBar::CreateWnd() {
    TWinControl::CreateWnd();
    ApplySettings();
}

void TTrackBar::ApplySettings() {
    if (!HandleAllocated()) return;
    Send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumbLength_), 0);
    Send(TBM_SETLINESIZE, 0, lineSize_);
    Send(TBM_SETPAGESIZE, 0, pageSize_);
    Send(TBM_SETRANGEMIN, FALSE, min_);
    Send(TBM_SETRANGEMAX, FALSE, max_);
    if (tickStyle_ == tsAuto) Send(TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    Send(TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetRange(int min, int max) {
    if (max < min) max = min;
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    ApplySettings();
    SetPosition(position_);
}

void TTrackBar::SetPosition(int value) {
    value = std::clamp(value, min_, max_);
    if (HandleAllocated() && static_cast<int>(Send(TBM_GETPOS, 0, 0)) != value) Send(TBM_SETPOS, TRUE, value);
    if (value == position_) return;
    position_ = value;
    Changed();
}

void TTrackBar::SetFrequency(int value) {
    if (value == frequency_) return;
    frequency_ = value;
    if (HandleAllocated() && tickStyle_ == tsAuto) Send(TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetThumbLength(int value) {
    if (value == thumbLength_) return;
    thumbLength_ = value;
    if (HandleAllocated()) Send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetLineSize(int value) {
    lineSize_ = value;
    if (HandleAllocated()) Send(TBM_SETLINESIZE, 0, value);
}

void TTrackBar::SetPageSize(int value) {
    pageSize_ = value;
    if (HandleAllocated()) Send(TBM_SETPAGESIZE, 0, value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value) {
    if (value == tickMarks_) return;
    tickMarks_ = value;
    RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
    if (value == tickStyle_) return;
    tickStyle_ = value;
    RecreateWnd();
}

void TTrackBar::Changed() {
    if (OnChange) OnChange(this);
}

void TTrackBar::CNScroll(TMessage& message) {
    // Every thumb movement arrives here; only a new position is a change.
    const int value = static_cast<int>(Send(TBM_GETPOS, 0, 0));
    if (value != position_) {
        position_ = value;
        Changed();
    }
    message.Result = 0;
}
