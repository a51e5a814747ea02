#include "classlib/win/TUpDown.h"

#include <algorithm>
#include <string>

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
    SetBounds(0, 0, 17, 25);
}

std::intptr_t TUpDown::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(WindowHandle(), msg, wParam, lParam);
}

void TUpDown::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, UPDOWN_CLASSA);
    // Plain digits: the buddy's text is read back as a number, which group separators would break.
    params.Style |= UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
    if (associate_) params.Style |= alignButton_ == udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT;
    if (wrap_) params.Style |= UDS_WRAP;
    if (arrowKeys_) params.Style |= UDS_ARROWKEYS;
    if (orientation_ == udHorizontal) params.Style |= UDS_HORZ;
}

void TUpDown::CreateWnd() {
    TWinControl::CreateWnd();
    if (associate_ && (associate_->HandleAllocated() || associate_->Parent()))
        Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    ApplySettings();
    ShowInBuddy();
}

void TUpDown::ApplySettings() {
    if (!HandleAllocated()) return;
    Send(UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    UDACCEL accel{0, static_cast<UINT>(increment_)};
    Send(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    Send(UDM_SETPOS32, 0, position_);
}

void TUpDown::ShowInBuddy() {
    if (associate_) associate_->SetText(std::to_string(position_));
}

void TUpDown::SetAssociate(TWinControl* value) {
    if (value == associate_ || value == this) return;
    if (associate_) associate_->RemoveFreeNotification(this);
    associate_ = value;
    if (associate_) associate_->FreeNotification(this);
    // The alignment style and the buddy are set when the window is made.
    RecreateWnd();
    ShowInBuddy();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == associate_) {
        associate_ = nullptr;
        if (HandleAllocated()) Send(UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::SetMin(int value) {
    if (value == min_) return;
    min_ = value;
    if (max_ < min_) max_ = min_;
    position_ = std::clamp(position_, min_, max_);
    ApplySettings();
    ShowInBuddy();
}

void TUpDown::SetMax(int value) {
    if (value == max_) return;
    max_ = value;
    if (min_ > max_) min_ = max_;
    position_ = std::clamp(position_, min_, max_);
    ApplySettings();
    ShowInBuddy();
}

int TUpDown::Position() {
    if (HandleAllocated()) {
        BOOL failed = FALSE;
        const int value = static_cast<int>(Send(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
        if (!failed) position_ = value;
    }
    return position_;
}

void TUpDown::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    if (HandleAllocated()) Send(UDM_SETPOS32, 0, position_);
    ShowInBuddy();
}

void TUpDown::SetIncrement(int value) {
    if (value == increment_) return;
    increment_ = value;
    ApplySettings();
}

void TUpDown::SetWrap(bool value) {
    if (value == wrap_) return;
    wrap_ = value;
    RecreateWnd();
}

void TUpDown::SetArrowKeys(bool value) {
    if (value == arrowKeys_) return;
    arrowKeys_ = value;
    RecreateWnd();
}

void TUpDown::SetAlignButton(TUDAlignButton value) {
    if (value == alignButton_) return;
    alignButton_ = value;
    RecreateWnd();
}

void TUpDown::SetOrientation(TUDOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    RecreateWnd();
}

bool TUpDown::CanChange(int newValue, TUpDownDirection direction) {
    bool allow = true;
    if (OnChangingEx) OnChangingEx(this, allow, static_cast<std::int16_t>(newValue), direction);
    return allow;
}

void TUpDown::Click(TUDBtnType button) {
    if (OnClick) OnClick(this, button);
}

void TUpDown::CNNotify(TMessage& message) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(message.LParam);
    message.Result = 0;
    if (hdr->code != static_cast<UINT>(UDN_DELTAPOS)) return;
    const auto* nm = reinterpret_cast<const NMUPDOWN*>(message.LParam);
    // Where the step leads: wrapped round or held at the ends as the window will do it.
    long long target = static_cast<long long>(nm->iPos) + nm->iDelta;
    if (target > max_) target = wrap_ ? min_ : max_;
    if (target < min_) target = wrap_ ? max_ : min_;
    const TUpDownDirection direction = nm->iDelta > 0 ? updUp : nm->iDelta < 0 ? updDown : updNone;
    if (!CanChange(static_cast<int>(target), direction)) {
        message.Result = 1;
        return;
    }
    lastDirection_ = direction;
}

void TUpDown::CNScroll(TMessage& message) {
    message.Result = 0;
    if (message.WParamLo() != SB_THUMBPOSITION) return;
    const int before = position_;
    const int now = Position();
    if (now == before) return;
    ShowInBuddy();
    // By the arrow pressed, not by the numbers: a wrapped step goes the other way.
    Click(lastDirection_ == updDown ? btPrev : btNext);
}
