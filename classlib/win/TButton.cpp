#include "classlib/win/TButton.h"

#include "classlib/win/ControlText.h"
#include "classlib/win/TCustomForm.h"

namespace {
void NotifyTree(TWinControl* parent, TWinControl* focused) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (Is<TButton>(child)) child->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(focused));
        if (auto* win = dynamic_cast<TWinControl*>(child)) NotifyTree(win, focused);
    }
}
}  // namespace

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    if (!HandleAllocated()) {
        active_ = value;
        return;
    }
    // A focused button of the same form keeps the frame; otherwise the default button takes it.
    TWinControl* focused = FindControl(::GetFocus());
    if (focused && GetParentForm(focused) != GetParentForm(this)) focused = nullptr;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(focused));
}

void TButton::Click() {
    if (modalResult_ != mrNone)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetButtonStyle(bool isDefault) {
    if (!HandleAllocated()) return;
    const LONG_PTR style = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((::GetWindowLongPtrA(Handle(), GWL_STYLE) & 0xF) != style) ::SendMessageA(Handle(), BM_SETSTYLE, style, TRUE);
}

void TButton::CNCommand(TMessage& message) {
    if (message.WParamHi() == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& message) {
    const bool enter = message.WParam == VK_RETURN && active_;
    const bool escape = message.WParam == VK_ESCAPE && cancel_;
    if ((enter || escape) && KeyDataToShiftState(message.LParam).Empty() && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    DispatchInherited<TButton>(this, message);
}

void TButton::CMDialogChar(TMessage& message) {
    if (IsAccel(static_cast<unsigned>(message.WParam), Caption()) && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    DispatchInherited<TButton>(this, message);
}

void TButton::CMFocusChanged(TMessage& message) {
    auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
    active_ = ::Is<TButton>(focused) ? focused == this : default_;
    SetButtonStyle(active_);
    DispatchInherited<TButton>(this, message);
}

void TButton::CMEnter(TMessage& message) {
    DispatchInherited<TButton>(this, message);
    NotifyButtons(this);
}

void TButton::CMExit(TMessage& message) {
    DispatchInherited<TButton>(this, message);
    NotifyButtons(nullptr);
}

void TButton::NotifyButtons(TWinControl* focused) {
    TControl* root = GetParentForm(this);
    if (!root) {
        root = this;
        while (root->Parent()) root = root->Parent();
    }
    if (auto* top = dynamic_cast<TWinControl*>(root)) {
        if (::Is<TButton>(top)) top->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<std::intptr_t>(focused));
        NotifyTree(top, focused);
    }
}
