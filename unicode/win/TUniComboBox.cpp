#include "unicode/win/TUniComboBox.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/WideCharMessage.h"

TUniCustomComboBox::TUniCustomComboBox(TComponent* owner)
    : TUniWindowed(owner, L"COMBOBOX"),
      wideItems_(MakeObject<TUniComboBoxStrings>(this)),
      wideEditInstance_(MakeMethod<&TUniCustomComboBox::WideEditProc>(this)),
      wideListInstance_(MakeMethod<&TUniCustomComboBox::WideListProc>(this)) {}

namespace {

// Item texts of the list part and text of the edit part: they must not pass the library's 8-bit part
// procedures, where the system would narrow them to the code page.
bool IsListTextMessage(std::uint32_t msg) {
    switch (msg) {
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_GETTEXT:
        case LB_GETTEXTLEN:
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
        case LB_SELECTSTRING:
        case LB_DIR:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_SETTEXT: return true;
        default: return false;
    }
}

// A typed character outside ASCII goes straight to the edit: the library's 8-bit key handling would narrow it.
bool IsEditTextMessage(const TMessage& m) {
    switch (m.Msg) {
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case EM_REPLACESEL:
        case WM_IME_CHAR: return true;
        case WM_CHAR: return (m.WParam & 0xFFFF) >= 0x80;
        default: return false;
    }
}

void PassToPart(HWND part, WNDPROC previous, bool toClass, TMessage& m) {
    const auto target = toClass ? reinterpret_cast<WNDPROC>(::GetClassLongPtrW(part, GCLP_WNDPROC)) : previous;
    m.Result = ::CallWindowProcW(target, part, m.Msg, m.WParam, m.LParam);
}

}  // namespace

void TUniCustomComboBox::WideEditProc(TMessage& message) {
    if (message.Msg == WM_CHAR && (message.WParam & 0xFFFF) >= 0x80 && AutoComplete() &&
        WideAutoComplete(static_cast<WideChar>(message.WParam & 0xFFFF))) {
        message.Result = 0;
        return;
    }
    PassToPart(EditHandle(), previousEditProc_, IsEditTextMessage(message), message);
}

void TUniCustomComboBox::WideListProc(TMessage& message) {
    PassToPart(ListHandle(), previousListProc_, IsListTextMessage(message.Msg), message);
}

void TUniCustomComboBox::WidenParts() {
    // The library took the parts over with 8-bit procedures; wide ones go on top of them.
    if (HWND edit = EditHandle())
        previousEditProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wideEditInstance_.Proc())));
    if (HWND list = ListHandle())
        previousListProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wideListInstance_.Proc())));
}

bool TUniCustomComboBox::InWindow() const { return HandleAllocated() && ::IsWindowUnicode(WindowHandle()); }

WideString TUniCustomComboBox::PendingItem(int index) const {
    const AnsiString ansi = TCustomComboBox::Items()->Get(index);
    if (index >= 0 && index < static_cast<int>(pending_.size()) &&
        uni::ToAnsi(pending_[static_cast<std::size_t>(index)]) == ansi)
        return pending_[static_cast<std::size_t>(index)];
    return uni::FromAnsi(ansi);
}

void TUniCustomComboBox::AddItem(const WideString& item, TObject* object) { wideItems_->AddObject(item, object); }

void TUniCustomComboBox::DestroyWnd() {
    if (!ComponentState().Contains(csDestroying) && InWindow()) {
        pending_.clear();
        for (int i = 0; i < wideItems_->GetCount(); ++i) pending_.push_back(wideItems_->Get(i));
        savedIndex_ = static_cast<int>(::SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
        savedText_ = Text();
    }
    TUniWindowed::DestroyWnd();
}

void TUniCustomComboBox::CreateWnd() {
    // The text set while there was no window: the library's item restore below would clear it.
    const WideString text = savedText_.empty() && Style() != csDropDownList ? Text() : savedText_;
    TUniWindowed::CreateWnd();
    WidenParts();
    // The library put its 8-bit items back: each whose wide text is known gets it, with its object.
    const std::vector<WideString> wide = std::move(pending_);
    pending_.clear();
    const int count = TCustomComboBox::Items()->Count();
    for (int i = 0; i < count && i < static_cast<int>(wide.size()); ++i) {
        const WideString& item = wide[static_cast<std::size_t>(i)];
        const AnsiString ansi = TCustomComboBox::Items()->Get(i);
        if (uni::ToAnsi(item) != ansi || uni::FromAnsi(ansi) == item) continue;
        wideItems_->Put(i, item);
    }
    if (savedIndex_ >= 0) SetItemIndex(savedIndex_ < count ? savedIndex_ : count - 1);
    if (Style() != csDropDownList && !text.empty()) SetText(text);
    savedIndex_ = -1;
    savedText_.clear();
}

void TUniCustomComboBox::WMChar(TMessage& message) {
    typed_ = uni::WideCharOfMessage(message);
    DispatchInherited<TUniCustomComboBox>(this, message);
    typed_ = 0;
}

void TUniCustomComboBox::KeyPress(char& key) {
    const bool autoComplete = AutoComplete();
    SetAutoComplete(false);
    TUniWindowed::KeyPress(key);
    SetAutoComplete(autoComplete);
    if (key == 0 || !autoComplete || !HandleAllocated()) return;
    const auto byte = static_cast<unsigned char>(key);
    const WideChar ch = byte < 0x80 || typed_ == 0 ? static_cast<WideChar>(byte) : typed_;
    if (WideAutoComplete(ch)) key = 0;
}

std::vector<WideString> TUniCustomComboBox::WideItemList() const {
    std::vector<WideString> items;
    for (int i = 0; i < wideItems_->GetCount(); ++i) items.push_back(wideItems_->Get(i));
    return items;
}

void TUniCustomComboBox::SelectFound(int index, const WideString& typed) {
    if (AutoCloseUp() && CompareTextSystem(wideItems_->Get(index), typed) == 0) SetDroppedDown(false);
    if (index == ItemIndex()) return;
    SetItemIndex(index);
    Click();
    Select();
}

bool TUniCustomComboBox::WideAutoComplete(WideChar ch) {
    if (ch == u'\x1B') return false;
    if (ch == u'\t') {
        if (AutoDropDown() && DroppedDown()) SetDroppedDown(false);
        return false;
    }
    HWND wnd = WindowHandle();
    if (Style() >= csDropDownList) {
        const DWORD now = ::GetTickCount();
        if (ch == u'\b') {
            search_.Backspace();
            return false;
        }
        if (AutoDropDown() && !DroppedDown()) SetDroppedDown(true);
        const WideString candidate = search_.Candidate(ch, now);
        const int found = uni::FindItemByPrefix(WideItemList(), candidate);
        if (found < 0) return false;
        search_.Accept(ch, now);
        SelectFound(found, candidate);
        return true;
    }
    if (ch == u'\b') return false;
    if (AutoDropDown() && !DroppedDown()) {
        // Dropping the list selects the text: keep what the user has.
        const LRESULT sel = ::SendMessageW(wnd, CB_GETEDITSEL, 0, 0);
        SetDroppedDown(true);
        ::SendMessageW(wnd, CB_SETEDITSEL, 0, static_cast<LPARAM>(sel));
    }
    DWORD selStart = 0, selEnd = 0;
    ::SendMessageW(wnd, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const WideString text = Text();
    if (selEnd != text.size() || selStart > selEnd) return false;
    const WideString typed = text.substr(0, selStart) + ch;
    const int found = uni::FindItemByPrefix(WideItemList(), typed);
    if (found < 0) return false;
    const uni::TCompletion completion = uni::CompleteTyped(typed, wideItems_->Get(found));
    const bool changed = completion.text != text;
    if (AutoCloseUp() && CompareTextSystem(wideItems_->Get(found), typed) == 0) SetDroppedDown(false);
    SetItemIndex(found);
    SetText(completion.text);
    ::SendMessageW(wnd, CB_SETEDITSEL, 0, MAKELPARAM(completion.selStart, completion.selStart + completion.selLength));
    if (changed) {
        Click();
        Select();
    }
    return true;
}

WideString TUniComboBoxStrings::Get(int index) const {
    if (!comboBox_->InWindow()) return comboBox_->PendingItem(index);
    HWND wnd = comboBox_->WindowHandle();
    const LRESULT len = ::SendMessageW(wnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == CB_ERR) return WideString();
    std::u16string text(static_cast<std::size_t>(len) + 1, u'\0');
    const LRESULT got =
        ::SendMessageW(wnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (got == CB_ERR) return WideString();
    text.resize(static_cast<std::size_t>(got < len ? got : len));
    return text;
}

TStrings* TUniComboBoxStrings::AnsiItems() const { return comboBox_->TCustomComboBox::Items(); }

void TUniComboBoxStrings::Insert(int index, const WideString& s) {
    TStrings* ansi = comboBox_->TCustomComboBox::Items();
    if (!comboBox_->InWindow()) {
        auto& pending = comboBox_->pending_;
        pending.resize(static_cast<std::size_t>(ansi->Count()));
        ansi->Insert(index, uni::ToAnsi(s));
        pending.insert(pending.begin() + index, s);
        return;
    }
    const LRESULT at = ::SendMessageW(comboBox_->WindowHandle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(WideCStr(s)));
    if (at < 0) throw EOutOfResources("Unable to insert a line");
}

void TUniComboBoxStrings::Put(int index, const WideString& s) {
    TObject* obj = GetObject(index);
    const int selected = comboBox_->InWindow() ? comboBox_->ItemIndex() : -1;
    Delete(index);
    Insert(index, s);
    PutObject(index, obj);
    if (selected == index) comboBox_->SetItemIndex(index);
}

void TUniComboBoxStrings::Delete(int index) {
    auto& pending = comboBox_->pending_;
    if (index >= 0 && index < static_cast<int>(pending.size())) pending.erase(pending.begin() + index);
    comboBox_->TCustomComboBox::Items()->Delete(index);
}

void TUniComboBoxStrings::Clear() {
    comboBox_->pending_.clear();
    if (!comboBox_->InWindow()) {
        comboBox_->TCustomComboBox::Items()->Clear();
        return;
    }
    const WideString text = comboBox_->Text();
    ::SendMessageW(comboBox_->WindowHandle(), CB_RESETCONTENT, 0, 0);
    comboBox_->SetText(text);
    comboBox_->Update();
}

int TUniComboBoxStrings::IndexOf(const WideString& s) const {
    if (!comboBox_->InWindow()) return TUniStrings::IndexOf(s);
    return static_cast<int>(::SendMessageW(comboBox_->WindowHandle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(WideCStr(s))));
}
