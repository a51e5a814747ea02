#include "classlib/win/TComboBox.h"

#include <algorithm>
#include <vector>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TFont.h"

namespace {

// Typed characters of the list styles form one search while they follow each other this closely.
constexpr DWORD kSearchPauseMs = 1250;

AnsiString ItemText(HWND wnd, UINT lengthMsg, UINT textMsg, int index) {
    const LRESULT length = ::SendMessageA(wnd, lengthMsg, static_cast<WPARAM>(index), 0);
    if (length <= 0) return AnsiString();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(wnd, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied <= 0) return AnsiString();
    return AnsiString(buffer.data(), static_cast<std::size_t>(std::min<LRESULT>(copied, length)));
}

}  // namespace

// ---- TComboBoxStrings ----

std::intptr_t TComboBoxStrings::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(comboBox_->WindowHandle(), msg, wParam, lParam);
}

bool TComboBoxStrings::InWindow() const { return comboBox_->HandleAllocated(); }

int TComboBoxStrings::WindowCount() const { return static_cast<int>(Send(CB_GETCOUNT, 0, 0)); }

AnsiString TComboBoxStrings::WindowGet(int index) const {
    return ItemText(comboBox_->WindowHandle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

TObject* TComboBoxStrings::WindowGetObject(int index) const {
    const std::intptr_t data = Send(CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<TObject*>(data);
}

void TComboBoxStrings::WindowPutObject(int index, TObject* obj) {
    Send(CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(obj));
}

void TComboBoxStrings::WindowInsert(int index, const AnsiString& s, TObject* obj) {
    const int at = index == WindowCount() ? -1 : index;
    const std::intptr_t result = Send(CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(s.c_str()));
    if (result < 0) throw EOutOfResources("Unable to insert a line");
    if (obj) WindowPutObject(static_cast<int>(result), obj);
}

void TComboBoxStrings::WindowDelete(int index) { Send(CB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TComboBoxStrings::WindowClear() {
    // Emptying the list empties the edit part too; typed text is not an item, so it stays.
    const bool keepText = comboBox_->Style() == csDropDown || comboBox_->Style() == csSimple;
    const AnsiString text = keepText ? comboBox_->Text() : AnsiString();
    Send(CB_RESETCONTENT, 0, 0);
    if (keepText && !text.empty()) comboBox_->SetText(text);
}

int TComboBoxStrings::IndexOf(const AnsiString& s) const {
    if (!InWindow()) return TWindowStrings::IndexOf(s);
    const std::intptr_t found = Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str()));
    return found < 0 ? -1 : static_cast<int>(found);
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      editInstance_(MakeMethod<&TCustomComboBox::EditMainWndProc>(this)),
      listInstance_(MakeMethod<&TCustomComboBox::ListMainWndProc>(this)) {
    items_ = MakeObject<TComboBoxStrings>(this);
    canvas_ = MakeObject<TControlCanvas>();
    canvas_->SetControl(this);
    SetControlStyle(ControlStyle() + TControlStyle{csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
}

TCustomComboBox::~TCustomComboBox() {
    // The part procedures are object instances of this control: hand the parts back before they go.
    RestoreParts();
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "COMBOBOX");
    params.Style |= WS_VSCROLL | CBS_HASSTRINGS;
    switch (style_) {
        case csDropDown: params.Style |= CBS_DROPDOWN | CBS_AUTOHSCROLL; break;
        case csSimple: params.Style |= CBS_SIMPLE | CBS_AUTOHSCROLL; break;
        case csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
        case csOwnerDrawFixed: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
        case csOwnerDrawVariable: params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
    }
}

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    HWND wnd = WindowHandle();
    if (style_ == csOwnerDrawFixed) ::SendMessageA(wnd, CB_SETITEMHEIGHT, 0, itemHeight_);
    items_->Restore();
    if (itemIndex_ >= 0) {
        const int count = items_->GetCount();
        ::SendMessageA(wnd, CB_SETCURSEL, static_cast<WPARAM>(std::min(itemIndex_, count - 1)), 0);
    }
    itemIndex_ = -1;
    SubclassParts();
    ApplyDropDownCount();
}

void TCustomComboBox::DestroyWnd() {
    if (!ComponentState().Contains(csDestroying) && HandleAllocated()) {
        items_->Save();
        itemIndex_ = static_cast<int>(::SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
    }
    TWinControl::DestroyWnd();
}

void TCustomComboBox::DestroyWindowHandle() {
    RestoreParts();
    TWinControl::DestroyWindowHandle();
}

void TCustomComboBox::SubclassParts() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetComboBoxInfo(WindowHandle(), &info)) return;
    if (style_ == csDropDown || style_ == csSimple) {
        editHandle_ = info.hwndItem;
        defEditProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(editHandle_, GWLP_WNDPROC));
        ::SetWindowLongPtrA(editHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editInstance_.Proc()));
    }
    listHandle_ = info.hwndList;
    if (listHandle_) {
        defListProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(listHandle_, GWLP_WNDPROC));
        ::SetWindowLongPtrA(listHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listInstance_.Proc()));
    }
}

void TCustomComboBox::RestoreParts() {
    const auto give = [](HWND& wnd, WNDPROC& previous, WNDPROC ours) {
        if (wnd && ::IsWindow(wnd) && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(wnd, GWLP_WNDPROC)) == ours)
            ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        wnd = nullptr;
        previous = nullptr;
    };
    give(editHandle_, defEditProc_, editInstance_.Proc());
    give(listHandle_, defListProc_, listInstance_.Proc());
}

void TCustomComboBox::PassOn(WNDPROC proc, HWND wnd, TMessage& message) {
    message.Result = proc ? ::CallWindowProcA(proc, wnd, message.Msg, message.WParam, message.LParam)
                          : ::DefWindowProcA(wnd, message.Msg, message.WParam, message.LParam);
}

void TCustomComboBox::EditMainWndProc(TMessage& message) {
    const HWND wnd = editHandle_;
    const WNDPROC previous = defEditProc_;
    try {
        EditWndProc(message);
    } catch (...) {
        HandleCallbackException(this);
        PassOn(previous, wnd, message);
    }
}

void TCustomComboBox::ListMainWndProc(TMessage& message) {
    const HWND wnd = listHandle_;
    const WNDPROC previous = defListProc_;
    try {
        ListWndProc(message);
    } catch (...) {
        HandleCallbackException(this);
        PassOn(previous, wnd, message);
    }
}

void TCustomComboBox::EditWndProc(TMessage& message) {
    // The edit part has the focus while the user types: its keys go through the control's key events.
    switch (message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (DoKeyDown(message)) return;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (DoKeyUp(message)) return;
            break;
        case WM_CHAR:
            if (DoKeyPress(message)) return;
            break;
        case WM_SETFOCUS:
            if (TCustomForm* form = GetParentForm(this))
                if (!form->SetFocusedControl(this)) return;
            PassOn(defEditProc_, editHandle_, message);
            Perform(CM_ENTER);
            return;
        case WM_KILLFOCUS: {
            PassOn(defEditProc_, editHandle_, message);
            // Focus moving to the combo box's own window or list stays within the control.
            const auto to = reinterpret_cast<HWND>(message.WParam);
            if (to != WindowHandle() && to != listHandle_) Perform(CM_EXIT);
            return;
        }
        default: break;
    }
    PassOn(defEditProc_, editHandle_, message);
}

void TCustomComboBox::ListWndProc(TMessage& message) { PassOn(defListProc_, listHandle_, message); }

// ---- properties ----

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWnd();
}

void TCustomComboBox::SetItems(TStrings* value) { items_->Assign(value); }

int TCustomComboBox::ItemIndex() {
    if (!HandleAllocated()) return itemIndex_;
    return static_cast<int>(::SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int value) {
    if (!HandleAllocated()) {
        itemIndex_ = value < 0 ? -1 : value;
        return;
    }
    ::SendMessageA(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(value < 0 ? -1 : value), 0);
}

void TCustomComboBox::SetDropDownCount(int value) {
    dropDownCount_ = std::max(1, value);
    ApplyDropDownCount();
}

void TCustomComboBox::ApplyDropDownCount() {
    if (!HandleAllocated() || style_ == csSimple) return;
    // The window's height while it is dropped down is the height it is given beyond the closed height: the
    // system keeps it and reports the closed height.
    HWND wnd = WindowHandle();
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int closed = static_cast<int>(r.bottom - r.top);
    // Room for the first DropDownCount items (each its own height in a variable list), at least one line.
    const int shown = std::min(dropDownCount_, items_->GetCount());
    int listHeight = 0;
    for (int i = 0; i < std::max(1, shown); ++i)
        listHeight += std::max(1, static_cast<int>(::SendMessageA(wnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(i), 0)));
    ::SetWindowPos(wnd, nullptr, 0, 0, static_cast<int>(r.right - r.left), closed + listHeight + 2,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

int TCustomComboBox::ItemHeight() {
    if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable || !HandleAllocated()) return itemHeight_;
    return static_cast<int>(::SendMessageA(WindowHandle(), CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::SetItemHeight(int value) {
    if (value < 1 || value == itemHeight_) return;
    itemHeight_ = value;
    if (style_ == csOwnerDrawFixed && HandleAllocated()) {
        ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, value);
        Invalidate();
    }
}

bool TCustomComboBox::DroppedDown() {
    return HandleAllocated() && ::SendMessageA(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (HandleAllocated()) ::SendMessageA(WindowHandle(), CB_SHOWDROPDOWN, value ? TRUE : FALSE, 0);
}

// ---- events ----

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
    Change();
}

void TCustomComboBox::WMFocus(TMessage& message) {
    if (editHandle_)
        DefaultHandler(message);
    else
        DispatchInherited<TCustomComboBox>(this, message);
}

void TCustomComboBox::CNCommand(TMessage& message) {
    switch (message.WParamHi()) {
        case CBN_SELCHANGE: {
            // The edit part shows the chosen item only after this notification: show it now, so that the
            // handlers read the new text.
            const int index = ItemIndex();
            if (!IsListStyle() && index >= 0) SetText(items_->Get(index));
            Chosen();
            break;
        }
        case CBN_EDITCHANGE: Change(); break;
        case CBN_DROPDOWN: ApplyDropDownCount(); break;
        default: break;
    }
    message.Result = 0;
}

void TCustomComboBox::CNMeasureItem(TMessage& message) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    int height = itemHeight_;
    if (style_ == csOwnerDrawVariable && static_cast<int>(mis->itemID) >= 0)
        MeasureItem(static_cast<int>(mis->itemID), height);
    mis->itemHeight = static_cast<UINT>(std::max(1, height));
    message.Result = 1;
}

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::CNDrawItem(TMessage& message) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    TOwnerDrawState state;
    if (dis->itemState & ODS_SELECTED) state.Include(odSelected);
    if (dis->itemState & ODS_FOCUS) state.Include(odFocused);
    if (dis->itemState & ODS_DISABLED) state.Include(odDisabled);
    if (dis->itemState & ODS_COMBOBOXEDIT) state.Include(odComboBoxEdit);
    const TRect rect{dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom};
    canvas_->PaintOn(dis->hDC, [&] {
        canvas_->SetFont(Font());
        canvas_->Brush()->SetColor(Color());
        canvas_->Brush()->SetStyle(bsSolid);
        if (state.Contains(odSelected)) {
            canvas_->Brush()->SetColor(clHighlight);
            canvas_->Font()->SetColor(clHighlightText);
        }
        const int index = static_cast<int>(dis->itemID);
        if (dis->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
            if (index >= 0 && index < items_->GetCount())
                DrawItem(index, rect, state);
            else
                canvas_->FillRect(rect);
        }
        if (state.Contains(odFocused)) canvas_->DrawFocusRect(rect);
    });
    message.Result = 1;
}

void TCustomComboBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    canvas_->FillRect(rect);
    canvas_->TextOut(rect.Left + 2, rect.Top, items_->Get(index));
}

// ---- typing ----

void TCustomComboBox::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (key == 0 || !autoComplete_ || !HandleAllocated()) return;
    const char typedChar = key;
    if (typedChar == '\x1B') return;
    if (typedChar == '\t') {
        if (autoDropDown_ && DroppedDown()) SetDroppedDown(false);
        return;
    }
    HWND wnd = WindowHandle();
    if (IsListStyle()) {
        const DWORD now = ::GetTickCount();
        if (now - lastKeyTime_ > kSearchPauseMs) searchText_.clear();
        lastKeyTime_ = now;
        if (typedChar == '\b') {
            if (!searchText_.empty()) searchText_.pop_back();
            return;
        }
        if (autoDropDown_ && !DroppedDown()) SetDroppedDown(true);
        const AnsiString typed = searchText_ + typedChar;
        const auto found = static_cast<int>(
            ::SendMessageA(wnd, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(typed.c_str())));
        if (found < 0) return;
        key = 0;
        searchText_ = typed;
        const bool changed = found != ItemIndex();
        SelectTyped(found, typed);
        if (changed) Chosen();
        return;
    }
    if (typedChar == '\b') return;
    if (autoDropDown_ && !DroppedDown()) {
        // Dropping the list selects the text: keep what the user has.
        const LRESULT sel = ::SendMessageA(wnd, CB_GETEDITSEL, 0, 0);
        SetDroppedDown(true);
        ::SendMessageA(wnd, CB_SETEDITSEL, 0, static_cast<LPARAM>(sel));
    }
    DWORD selStart = 0;
    DWORD selEnd = 0;
    ::SendMessageA(wnd, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const AnsiString text = Text();
    if (selEnd != text.size() || selStart > text.size()) return;
    const AnsiString typed = text.substr(0, selStart) + typedChar;
    const auto found = static_cast<int>(
        ::SendMessageA(wnd, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(typed.c_str())));
    if (found < 0) return;
    key = 0;
    const AnsiString item = items_->Get(found);
    const AnsiString completed = typed + item.substr(std::min(typed.size(), item.size()));
    SelectTyped(found, typed);
    SetText(completed);
    ::SendMessageA(wnd, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), 0xFFFF));
    if (completed != text) Chosen();
}

void TCustomComboBox::SelectTyped(int index, const AnsiString& typed) {
    if (autoCloseUp_ && items_->IndexOf(typed) >= 0) SetDroppedDown(false);
    SetItemIndex(index);
}

void TCustomComboBox::Chosen() {
    Click();
    Select();
}
