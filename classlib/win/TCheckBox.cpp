#include "classlib/win/TCheckBox.h"

#include "classlib/win/ControlText.h"

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == state_) return;
    state_ = value;
    if (HandleAllocated()) ::SendMessageA(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
    if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
        case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_3STATE | TextSideStyle();
}

void TCustomCheckBox::CreateWnd() {
    TButtonControl::CreateWnd();
    ::SendMessageA(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::CNCommand(TMessage& message) {
    if (message.WParamHi() == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& message) {
    if (IsAccel(static_cast<unsigned>(message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        message.Result = 1;
        return;
    }
    DispatchInherited<TCustomCheckBox>(this, message);
}
