#include "classlib/win/TEdit.h"

#include <algorithm>
#include <climits>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TFont.h"

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

void TCustomEdit::SetMaxLength(int value) {
    if (value < 0) value = 0;
    maxLength_ = value;
    if (HandleAllocated()) ::SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) ::SendMessageA(WindowHandle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetPasswordChar(char value) {
    if (value == passwordChar_) return;
    passwordChar_ = value;
    if (!HandleAllocated()) return;
    ::SendMessageA(WindowHandle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
    Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
    if (value == hideSelection_) return;
    hideSelection_ = value;
    RecreateWnd();
}

bool TCustomEdit::Modified() {
    if (HandleAllocated()) modified_ = ::SendMessageA(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
    return modified_;
}

void TCustomEdit::SetModified(bool value) {
    modified_ = value;
    if (HandleAllocated()) ::SendMessageA(WindowHandle(), EM_SETMODIFY, value, 0);
}

void TCustomEdit::GetSelection(DWORD& start, DWORD& end) {
    start = end = 0;
    ::SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}

int TCustomEdit::SelStart() {
    DWORD start, end;
    GetSelection(start, end);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value) {
    value = std::max(value, 0);
    ::SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(value), value);
    ::SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

int TCustomEdit::SelLength() {
    DWORD start, end;
    GetSelection(start, end);
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value) {
    DWORD start, end;
    GetSelection(start, end);
    const long long end64 = std::min<long long>(static_cast<long long>(start) + std::max(value, 0), INT_MAX);
    ::SendMessageA(Handle(), EM_SETSEL, start, static_cast<LPARAM>(end64));
    ::SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

AnsiString TCustomEdit::SelText() {
    DWORD start, end;
    GetSelection(start, end);
    const AnsiString text = Text();
    if (start >= text.size() || end <= start) return AnsiString();
    return text.substr(start, std::min<std::size_t>(end, text.size()) - start);
}

void TCustomEdit::SetSelText(const AnsiString& value) {
    ::SendMessageA(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void TCustomEdit::SelectAll() { ::SendMessageA(Handle(), EM_SETSEL, 0, -1); }

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (passwordChar_) params.Style |= ES_PASSWORD;
    if (readOnly_) params.Style |= ES_READONLY;
    if (!hideSelection_) params.Style |= ES_NOHIDESEL;
    if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    {
        ++quietChanges_;
        TScopeExit quiet([this] { --quietChanges_; });
        TWinControl::CreateWnd();
    }
    HWND wnd = WindowHandle();
    ::SendMessageA(wnd, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (passwordChar_) ::SendMessageA(wnd, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
    ::SendMessageA(wnd, EM_SETMODIFY, modified_, 0);
}

void TCustomEdit::DestroyWnd() {
    modified_ = ::SendMessageA(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
    TWinControl::DestroyWnd();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& message) {
    if (message.WParamHi() == EN_CHANGE && quietChanges_ == 0) Change();
}

void TCustomEdit::CNCtlColor(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const TColor color = Color();
    ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
    ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
    if (!brush_ || brushColor_ != color) {
        brush_.Reset(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color))));
        brushColor_ = color;
    }
    message.Result = reinterpret_cast<std::intptr_t>(brush_.Get());
}

void TCustomEdit::WMSetText(TMessage& message) {
    ++quietChanges_;
    TScopeExit quiet([this] { --quietChanges_; });
    DispatchInherited<TCustomEdit>(this, message);
}

void TCustomEdit::CMTextChanged(TMessage& message) {
    DispatchInherited<TCustomEdit>(this, message);
    Change();
}

void TCustomEdit::CMEnter(TMessage& message) {
    // Focus by a click places the caret where the click was, and a memo keeps its caret: only the keyboard's
    // focus of a single-line edit selects.
    if (autoSelect_ && HandleAllocated() && !(::GetWindowLongW(WindowHandle(), GWL_STYLE) & ES_MULTILINE) &&
        !(::GetKeyState(VK_LBUTTON) & 0x8000))
        SelectAll();
    DispatchInherited<TCustomEdit>(this, message);
}

void TCustomEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 'A' && shift == TShiftState{ssCtrl}) {
        SelectAll();
        key = 0;
    }
}

void TCustomEdit::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    // The character Ctrl+A makes.
    if (key == '\x01') key = 0;
}
