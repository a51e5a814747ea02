// The Unicode push button: its wide caption's hot key clicks it.
#pragma once
#include "classlib/win/TButton.h"
#include "unicode/win/UniStdControl.h"

class TUniButton : public uni::TUniWindowed<TButton> {
    CLASSLIB_COMPONENT(TUniButton, TButton)
    CLASSLIB_MESSAGES(TUniButton, CLASSLIB_ON(CM_DIALOGCHAR, &TUniButton::CMDialogChar))
    explicit TUniButton(TComponent* owner) : TUniWindowed(owner, L"BUTTON") {}

protected:
    void CMDialogChar(TMessage& message);
};
