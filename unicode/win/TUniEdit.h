// The Unicode edit: a Unicode "EDIT" window with a wide text and a wide password character.
#pragma once
#include "classlib/win/TEdit.h"
#include "unicode/win/UniStdControl.h"

class TUniCustomEdit : public uni::TUniWindowed<TCustomEdit> {
    CLASSLIB_COMPONENT(TUniCustomEdit, TCustomEdit)
    explicit TUniCustomEdit(TComponent* owner) : TUniWindowed(owner, L"EDIT") {}

    // Shown instead of every character; 0 shows the text. The library's 8-bit one is the character when
    // below 256, else "*".
    WideChar PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(WideChar value);

protected:
    void CreateWnd() override;

private:
    void ApplyPasswordChar();
    WideChar passwordChar_ = 0;
};

class TUniEdit : public TUniCustomEdit {
    CLASSLIB_COMPONENT(TUniEdit, TUniCustomEdit)
    explicit TUniEdit(TComponent* owner) : TUniCustomEdit(owner) {}
};
