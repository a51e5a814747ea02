// The Unicode radio button: its wide caption's hot key focuses it (the system then checks it).
#pragma once
#include "classlib/win/TRadioButton.h"
#include "unicode/win/UniStdControl.h"

class TUniRadioButton : public uni::TUniWindowed<TRadioButton> {
    CLASSLIB_COMPONENT(TUniRadioButton, TRadioButton)
    CLASSLIB_MESSAGES(TUniRadioButton, CLASSLIB_ON(CM_DIALOGCHAR, &TUniRadioButton::CMDialogChar))
    explicit TUniRadioButton(TComponent* owner) : TUniWindowed(owner, L"BUTTON") {}

protected:
    void CMDialogChar(TMessage& message);
};
