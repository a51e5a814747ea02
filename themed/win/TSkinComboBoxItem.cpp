#include "themed/win/TSkinComboBoxItem.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TReader.h"
#include "classlib/win/WideChars.h"
#include "themed/core/EditTyping.h"

TSkinComboBoxItem::TSkinComboBoxItem(TComponent* owner) : TSkinCustomDropDownItem(owner) {
    TTBItemStyle style = ItemStyle();
    style.Exclude(tbisSubitemsEditable);
    SetItemStyle(style);
    list_ = CreateList();
    list_->SetMinWidth(64);
    list_->OnChange = TNotifyEvent::Bind<&TSkinComboBoxItem::ListChange>(this);
    list_->OnClick = TNotifyEvent::Bind<&TSkinComboBoxItem::ListClick>(this);
    list_->OnAdjustImageIndex = TSkinListImageIndexEvent::Bind<&TSkinComboBoxItem::ListImageIndex>(this);
    if (!ComponentState().Contains(csDesigning)) Add(list_);
}

TSkinComboBoxItem::~TSkinComboBoxItem() = default;

TSkinStringList* TSkinComboBoxItem::CreateList() { return Create<TSkinStringList>(this); }

TTBItemViewer* TSkinComboBoxItem::CreateEditViewer(TTBView* view, int groupLevel) {
    return Create<TSkinComboBoxItemViewer>(view, this, groupLevel);
}

void TSkinComboBoxItem::TakeLine(int index) {
    const bool was = settingFromList_;
    settingFromList_ = true;
    TScopeExit restore([&] { settingFromList_ = was; });
    SetText(Lines()->Get(index));
}

void TSkinComboBoxItem::SyncItemIndex() {
    const bool was = settingFromList_;
    settingFromList_ = true;
    TScopeExit restore([&] { settingFromList_ = was; });
    list_->SetItemIndex(Lines()->IndexOf(Text()));
}

void TSkinComboBoxItem::TextChanged() {
    TSkinCustomDropDownItem::TextChanged();
    if (!settingFromList_) SyncItemIndex();
}

void TSkinComboBoxItem::ListChange(TObject*) {
    imageValid_ = false;
    // Stepping through the lines shows each in the field, as a combo box does.
    const int index = list_->ItemIndex();
    if (!settingFromList_ && index >= 0 && index < Lines()->Count() && Lines()->Get(index) != Text()) TakeLine(index);
}

void TSkinComboBoxItem::ListClick(TObject*) {
    imageValid_ = false;
    const int index = list_->ItemIndex();
    if (index >= 0 && index < Lines()->Count() && Lines()->Get(index) != Text()) TakeLine(index);
    if (OnItemClick) OnItemClick(this);
}

void TSkinComboBoxItem::ListImageIndex(TSkinCustomList*, int index, int& imageIndex) {
    if (!OnAdjustImageIndex) return;
    const WideString text = index >= 0 && index < Lines()->Count() ? Lines()->Get(index) : WideString();
    OnAdjustImageIndex(this, text, index, imageIndex);
}

int TSkinComboBoxItem::GetImageIndex() {
    if (imageValid_) return cachedImage_;
    const int index = list_->ItemIndex();
    int image = index >= 0 && index < Lines()->Count() ? list_->GetImageIndex(index) : -1;
    if (image < 0) image = ImageIndex();
    if (OnAdjustImageIndex) OnAdjustImageIndex(this, Text(), -1, image);
    cachedImage_ = image;
    imageValid_ = true;
    return image;
}

bool TSkinComboBoxItem::LineBeginsWith(std::u16string_view line, std::u16string_view typed) {
    if (line.size() < typed.size()) return false;
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, WideChars(line), static_cast<int>(typed.size()),
                            WideChars(typed), static_cast<int>(typed.size())) == CSTR_EQUAL;
}

bool TSkinComboBoxItem::DoAutoComplete(WideString& text) {
    if (!autoComplete_) return false;
    TStringListW* lines = Lines();
    const int found = skin::FindCompletion(
        text, [lines](int i) { return lines->Get(i); }, lines->Count(), LineBeginsWith);
    if (found < 0) return false;
    text = lines->Get(found);
    return true;
}

void TSkinComboBoxItem::Loaded() {
    TSkinCustomDropDownItem::Loaded();
    const int index = Lines()->IndexOf(Text());
    if (index >= 0) {
        const bool was = settingFromList_;
        settingFromList_ = true;
        TScopeExit restore([&] { settingFromList_ = was; });
        list_->SetItemIndex(index);
    }
    if (!ComponentState().Contains(csDesigning) && IndexOf(list_) < 0) Add(list_);
}

void TSkinComboBoxItem::DefineProperties(TFiler* filer) {
    TSkinCustomDropDownItem::DefineProperties(filer);
    filer->DefineProperty(
        "Strings",
        [this](TReader& reader) {
            TStringListW read;
            reader.ReadListBegin();
            while (!reader.EndOfList()) read.Add(reader.ReadWideString());
            reader.ReadListEnd();
            Lines()->Assign(&read);
        },
        nullptr, false);
}

bool TSkinComboBoxItemViewer::EditMessageHook(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        auto* combo = static_cast<TSkinComboBoxItem*>(Item());
        const int count = combo->Lines()->Count();
        if (count > 0) {
            const int index = combo->List()->ItemIndex();
            combo->List()->SetItemIndex(wParam == VK_UP ? std::max(index - 1, 0) : std::min(index + 1, count - 1));
        }
        ::SendMessageW(EditWindow(), EM_SETSEL, 0, -1);
        result = 0;
        return true;
    }
    return TSkinDropDownItemViewer::EditMessageHook(msg, wParam, lParam, result);
}
