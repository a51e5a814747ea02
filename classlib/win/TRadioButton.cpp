#include "classlib/win/TRadioButton.h"

#include "classlib/win/ControlText.h"

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    SetTabStop(value);
    if (HandleAllocated()) ::SendMessageA(WindowHandle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value) return;
    TurnSiblingsOff();
    if (!ClicksDisabled()) Click();
}

void TRadioButton::TurnSiblingsOff() {
    TWinControl* parent = Parent();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
            sibling->SetChecked(false);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_RADIOBUTTON | TextSideStyle();
}

void TRadioButton::CreateWnd() {
    TButtonControl::CreateWnd();
    ::SendMessageA(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::CNCommand(TMessage& message) {
    if (message.WParamHi() == BN_CLICKED) SetChecked(true);
}

void TRadioButton::CMDialogChar(TMessage& message) {
    if (IsAccel(static_cast<unsigned>(message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        message.Result = 1;
        return;
    }
    DispatchInherited<TRadioButton>(this, message);
}
