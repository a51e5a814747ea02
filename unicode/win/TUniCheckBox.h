// The Unicode check box: its wide caption's hot key focuses it and, once focused, toggles it.
#pragma once
#include "classlib/win/TCheckBox.h"
#include "unicode/win/UniStdControl.h"

class TUniCustomCheckBox : public uni::TUniWindowed<TCustomCheckBox> {
    CLASSLIB_COMPONENT(TUniCustomCheckBox, TCustomCheckBox)
    CLASSLIB_MESSAGES(TUniCustomCheckBox, CLASSLIB_ON(CM_DIALOGCHAR, &TUniCustomCheckBox::CMDialogChar))
    explicit TUniCustomCheckBox(TComponent* owner) : TUniWindowed(owner, L"BUTTON") {}

protected:
    void CMDialogChar(TMessage& message);
};

class TUniCheckBox : public TUniCustomCheckBox {
    CLASSLIB_COMPONENT(TUniCheckBox, TUniCustomCheckBox)
    explicit TUniCheckBox(TComponent* owner) : TUniCustomCheckBox(owner) {}
};
