// A radio button: checking it unchecks the other radio buttons of the same parent. OnClick is raised when it
// becomes checked (by the user or the program), not when it is unchecked. Only the checked button of a
// group is a tab stop.
#pragma once
#include "classlib/core/ControlTypes.h"
#include "classlib/win/TButtonControl.h"

class TRadioButton : public TButtonControl {
    CLASSLIB_COMPONENT(TRadioButton, TButtonControl)
    CLASSLIB_MESSAGES(TRadioButton, CLASSLIB_ON(CN_COMMAND, &TRadioButton::CNCommand),
                      CLASSLIB_ON(CM_DIALOGCHAR, &TRadioButton::CMDialogChar))

    explicit TRadioButton(TComponent* owner);

    bool Checked() const override { return checked_; }
    void SetChecked(bool value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

    void CNCommand(TMessage& message);
    // The accelerator focuses the button (the system then checks it).
    void CMDialogChar(TMessage& message);

private:
    void TurnSiblingsOff();

    bool checked_ = false;
};
