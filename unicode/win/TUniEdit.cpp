#include "unicode/win/TUniEdit.h"

void TUniCustomEdit::SetPasswordChar(WideChar value) {
    if (value == passwordChar_) return;
    passwordChar_ = value;
    TCustomEdit::SetPasswordChar(value < 256 ? static_cast<char>(value) : '*');
    ApplyPasswordChar();
}

void TUniCustomEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    ApplyPasswordChar();
}

void TUniCustomEdit::ApplyPasswordChar() {
    // The library sent its 8-bit character; the wide one replaces it.
    if (!HandleAllocated() || passwordChar_ == 0) return;
    ::SendMessageW(Handle(), EM_SETPASSWORDCHAR, passwordChar_, 0);
    Invalidate();
}
