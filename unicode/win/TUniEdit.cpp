#include "unicode/win/TUniEdit.h"

#include <algorithm>

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

void TUniCustomEdit::GetSelectionW(DWORD& start, DWORD& end) {
    start = end = 0;
    ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}

int TUniCustomEdit::SelStart() {
    DWORD start, end;
    GetSelectionW(start, end);
    return static_cast<int>(start);
}

int TUniCustomEdit::SelLength() {
    DWORD start, end;
    GetSelectionW(start, end);
    return static_cast<int>(end - start);
}

WideString TUniCustomEdit::SelTextW() {
    DWORD start, end;
    GetSelectionW(start, end);
    const WideString text = Text();
    if (start >= text.size() || end <= start) return WideString();
    return text.substr(start, std::min<std::size_t>(end, text.size()) - start);
}

void TUniCustomEdit::SetSelTextW(const WideString& value) {
    ::SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value.c_str()));
}
