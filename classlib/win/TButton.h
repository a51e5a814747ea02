// A push button. Default and Cancel buttons answer Enter and Esc that no other control of their form
// wants; the default frame (BS_DEFPUSHBUTTON) is on the focused button, or on the Default button while no
// button has the focus. A button with a ModalResult sets its form's when clicked.
#pragma once
#include "classlib/core/ControlTypes.h"
#include "classlib/win/TButtonControl.h"

class TButton : public TButtonControl {
    CLASSLIB_COMPONENT(TButton, TButtonControl)
    CLASSLIB_MESSAGES(TButton, CLASSLIB_ON(CN_COMMAND, &TButton::CNCommand),
                      CLASSLIB_ON(CM_DIALOGKEY, &TButton::CMDialogKey),
                      CLASSLIB_ON(CM_DIALOGCHAR, &TButton::CMDialogChar),
                      CLASSLIB_ON(CM_FOCUSCHANGED, &TButton::CMFocusChanged), CLASSLIB_ON(CM_ENTER, &TButton::CMEnter),
                      CLASSLIB_ON(CM_EXIT, &TButton::CMExit))

    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    // Sets the parent form's ModalResult (when the button has one), then raises OnClick (or the action).
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    // Puts the default frame on or off the window.
    virtual void SetButtonStyle(bool isDefault);

    void CNCommand(TMessage& message);
    void CMDialogKey(TMessage& message);
    void CMDialogChar(TMessage& message);
    // lParam: the control that now has the focus (null when no control of the form has it).
    void CMFocusChanged(TMessage& message);
    void CMEnter(TMessage& message);
    void CMExit(TMessage& message);

private:
    // Tells every button of this button's form which control has the focus now.
    void NotifyButtons(TWinControl* focused);

    bool default_ = false;
    bool cancel_ = false;
    // Whether the button shows (and acts on Enter with) the default frame.
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};
