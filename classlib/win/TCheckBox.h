// A check box with two or three states. Clicking toggles it (unchecked, grayed when allowed, checked), and
// every change of the state raises OnClick unless clicks are disabled.
#pragma once
#include "classlib/core/ControlTypes.h"
#include "classlib/win/TButtonControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
    CLASSLIB_COMPONENT(TCustomCheckBox, TButtonControl)
    CLASSLIB_MESSAGES(TCustomCheckBox, CLASSLIB_ON(CN_COMMAND, &TCustomCheckBox::CNCommand),
                      CLASSLIB_ON(CM_DIALOGCHAR, &TCustomCheckBox::CMDialogChar))

    explicit TCustomCheckBox(TComponent* owner);

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool Checked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }

    // The next state: unchecked to grayed (when allowed) or checked, grayed to checked, checked to unchecked.
    virtual void Toggle();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

    void CNCommand(TMessage& message);
    // The accelerator focuses the box; when it has the focus then, the box toggles.
    void CMDialogChar(TMessage& message);

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

class TCheckBox : public TCustomCheckBox {
    CLASSLIB_COMPONENT(TCheckBox, TCustomCheckBox)

    explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};
