#include "classlib/win/TTabControl.h"

#include <algorithm>
#include <vector>

namespace {
// Longest tab caption read back from the window.
constexpr int kTabTextLimit = 4096;
}  // namespace

// ---- TTabStrings ----

std::intptr_t TTabStrings::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(tabControl_->WindowHandle(), msg, wParam, lParam);
}

bool TTabStrings::InWindow() const { return tabControl_->HandleAllocated(); }

int TTabStrings::WindowCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT, 0, 0)); }

AnsiString TTabStrings::WindowGet(int index) const {
    std::vector<char> buffer(kTabTextLimit, '\0');
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer.data();
    item.cchTextMax = kTabTextLimit;
    if (!Send(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        throw CreateFmt<EListError>("Failed to retrieve tab at index %d", {index});
    // The system may answer with its own buffer.
    const char* text = item.pszText ? item.pszText : buffer.data();
    return AnsiString(text, ::strnlen(text, kTabTextLimit));
}

TObject* TTabStrings::WindowGetObject(int index) const {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    if (!Send(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<TObject*>(item.lParam);
}

void TTabStrings::WindowPutObject(int index, TObject* obj) {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    item.lParam = reinterpret_cast<LPARAM>(obj);
    Send(TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TTabStrings::WindowInsert(int index, const AnsiString& s, TObject* obj) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(s.c_str());
    item.lParam = reinterpret_cast<LPARAM>(obj);
    if (Send(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) < 0)
        throw CreateFmt<EListError>("Failed to set tab \"%s\" at index %d", {s, index});
}

void TTabStrings::WindowDelete(int index) { Send(TCM_DELETEITEM, static_cast<WPARAM>(index), 0); }

void TTabStrings::WindowClear() { Send(TCM_DELETEALLITEMS, 0, 0); }

void TTabStrings::Put(int index, const AnsiString& s) {
    if (!InWindow()) {
        TWindowStrings::Put(index, s);
        return;
    }
    CheckIndex(index);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(s.c_str());
    if (!Send(TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        throw CreateFmt<EListError>("Failed to set tab \"%s\" at index %d", {s, index});
    Changed();
}

void TTabStrings::Changed() {
    // More or fewer rows of tabs move the page area.
    if (InWindow()) tabControl_->Realign();
}

// ---- TCustomTabControl ----

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    tabs_ = MakeObject<TTabStrings>(this);
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csDoubleClicks});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_TABCONTROLA);
    params.Style |= WS_CLIPCHILDREN;
}

void TCustomTabControl::CreateWnd() {
    TWinControl::CreateWnd();
    tabs_->Restore();
    if (tabIndex_ >= 0 && tabIndex_ < tabs_->GetCount())
        ::SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
    tabIndex_ = -1;
    Realign();
}

void TCustomTabControl::DestroyWnd() {
    if (!ComponentState().Contains(csDestroying) && HandleAllocated()) {
        tabs_->Save();
        tabIndex_ = static_cast<int>(::SendMessageA(WindowHandle(), TCM_GETCURSEL, 0, 0));
    }
    TWinControl::DestroyWnd();
}

void TCustomTabControl::SetTabs(TStrings* value) { tabs_->Assign(value); }

int TCustomTabControl::TabIndex() {
    if (!HandleAllocated()) return tabIndex_ < tabs_->GetCount() ? tabIndex_ : -1;
    return static_cast<int>(::SendMessageA(WindowHandle(), TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SetTabIndex(int value) {
    if (!HandleAllocated()) {
        tabIndex_ = value < 0 ? -1 : value;
        return;
    }
    ::SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(value < 0 ? -1 : value), 0);
}

TRect TCustomTabControl::DisplayRect() {
    TRect client = ClientRect();
    if (!HandleAllocated()) return client;
    RECT r{client.Left, client.Top, client.Right, client.Bottom};
    ::SendMessageA(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return TRect{r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

void TCustomTabControl::AdjustClientRect(TRect& rect) {
    TWinControl::AdjustClientRect(rect);
    rect = DisplayRect();
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

void TCustomTabControl::CNNotify(TMessage& message) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(message.LParam);
    message.Result = 0;
    if (hdr->code == static_cast<UINT>(TCN_SELCHANGING))
        message.Result = CanChange() ? 0 : 1;
    else if (hdr->code == static_cast<UINT>(TCN_SELCHANGE))
        Change();
}
