#include "unicode/win/TUniTabControl.h"

#include <commctrl.h>

#include "unicode/core/UniExceptions.h"
#include "classlib/win/WideChars.h"

namespace {
constexpr int kTabTextSize = 4096;
}  // namespace

TUniCustomTabControl::TUniCustomTabControl(TComponent* owner)
    : TUniWindowed(owner, L"SysTabControl32"), tabs_(MakeObject<TUniTabStrings>(this)) {}

bool TUniCustomTabControl::InWindow() const { return HandleAllocated() && ::IsWindowUnicode(WindowHandle()); }

WideString TUniCustomTabControl::KeptCaption(int index) const {
    const AnsiString ansi = TCustomTabControl::Tabs()->Get(index);
    if (index < static_cast<int>(captions_.size())) {
        const WideString& wide = captions_[static_cast<std::size_t>(index)];
        if (uni::ToAnsi(wide) == ansi) return wide;
    }
    return uni::FromAnsi(ansi);
}

void TUniCustomTabControl::WriteWindowText(int index, const WideString& s) {
    if (!InWindow()) return;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    WideString text = s;
    item.pszText = WideBuffer(text);
    if (!::SendMessageW(WindowHandle(), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        throw CreateFmt<EUniGeneralError>("Failed to set tab \"%s\" at index %d", {uni::ToAnsi(s), index});
}

void TUniCustomTabControl::CreateWindowHandle(const TCreateParams& params) {
    TUniWindowed::CreateWindowHandle(params);
    uni::UseUnicodeNotifications(this);
}

void TUniCustomTabControl::CreateWnd() {
    TUniWindowed::CreateWnd();
    // The library gave the new window its 8-bit tabs: the wide captions replace them.
    const int count = TCustomTabControl::Tabs()->Count();
    for (int i = 0; i < count && i < static_cast<int>(captions_.size()); ++i) WriteWindowText(i, KeptCaption(i));
}

void TUniCustomTabControl::CMDialogChar(TMessage& message) {
    if (CanFocus()) {
        for (int i = 0; i < tabs_->GetCount(); ++i) {
            if (!uni::IsAccelMessageW(message, tabs_->Get(i))) continue;
            if (CanChange()) {
                SetTabIndex(i);
                Change();
            }
            message.Result = 1;
            return;
        }
    }
    DispatchInherited<TCustomTabControl>(this, message);
}

WideString TUniTabStrings::Get(int index) const {
    if (!tabControl_->InWindow()) return tabControl_->KeptCaption(index);
    wchar_t buffer[kTabTextSize] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = kTabTextSize;
    if (!::SendMessageW(tabControl_->WindowHandle(), TCM_GETITEMW, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&item)))
        throw CreateFmt<EUniGeneralError>("Failed to retrieve tab at index %d", {index});
    // The control may answer with its own buffer.
    const wchar_t* text = item.pszText ? item.pszText : buffer;
    std::size_t n = 0;
    while (n < static_cast<std::size_t>(kTabTextSize) - 1 && text[n]) ++n;
    return FromWideChars(text, n);
}

TStrings* TUniTabStrings::AnsiItems() const { return tabControl_->TCustomTabControl::Tabs(); }

void TUniTabStrings::Put(int index, const WideString& s) {
    TStrings* ansi = tabControl_->TCustomTabControl::Tabs();
    ansi->Put(index, uni::ToAnsi(s));
    auto& captions = tabControl_->captions_;
    captions.resize(static_cast<std::size_t>(ansi->Count()));
    captions[static_cast<std::size_t>(index)] = s;
    tabControl_->WriteWindowText(index, s);
}

void TUniTabStrings::Insert(int index, const WideString& s) {
    TStrings* ansi = tabControl_->TCustomTabControl::Tabs();
    auto& captions = tabControl_->captions_;
    captions.resize(static_cast<std::size_t>(ansi->Count()));
    ansi->Insert(index, uni::ToAnsi(s));
    captions.insert(captions.begin() + index, s);
    tabControl_->WriteWindowText(index, s);
}

void TUniTabStrings::Delete(int index) {
    auto& captions = tabControl_->captions_;
    tabControl_->TCustomTabControl::Tabs()->Delete(index);
    if (index >= 0 && index < static_cast<int>(captions.size())) captions.erase(captions.begin() + index);
}

void TUniTabStrings::Clear() {
    tabControl_->captions_.clear();
    tabControl_->TCustomTabControl::Tabs()->Clear();
}
