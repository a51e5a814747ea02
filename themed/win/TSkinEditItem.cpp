#include "themed/win/TSkinEditItem.h"

#include "classlib/core/TReader.h"
#include "themed/win/TSkinEditItemViewer.h"
#include "themed/win/TSkinItemViewer.h"
#include "themed/win/TSkinPopupWindow.h"
#include "toolbar/win/TTBView.h"

TSkinEditItem::TSkinEditItem(TComponent* owner)
    : TTBEditItem(owner), editorFontSettings_(MakeObject<TFontSettings>()), fontSettings_(MakeObject<TFontSettings>()) {
    editorFontSettings_->OnChange = TNotifyEvent::Bind<&TSkinEditItem::SettingsChanged>(this);
    fontSettings_->OnChange = TNotifyEvent::Bind<&TSkinEditItem::SettingsChanged>(this);
}

TSkinEditItem::~TSkinEditItem() = default;

void TSkinEditItem::SettingsChanged(TObject*) { Change(true); }

void TSkinEditItem::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Change(true);
}

void TSkinEditItem::SetPassword(bool value) {
    if (password_ == value) return;
    password_ = value;
    Change(true);
}

void TSkinEditItem::SetShowImage(bool value) {
    showImage_ = value;
    Change(true);
}

void TSkinEditItem::TextChanged() {
    if (OnChange) OnChange(this);
}

void TSkinEditItem::DoTyping(const WideString& text) {
    if (OnTyping) OnTyping(this, text);
}

TTBItemViewer* TSkinEditItem::CreateViewer(TTBView* view, int groupLevel, bool chevron) {
    if (chevron) return nullptr;
    if (!ShowsFieldIn(view)) return Create<TSkinItemViewer>(view, this, groupLevel);
    return CreateEditViewer(view, groupLevel);
}

TTBItemViewer* TSkinEditItem::CreateEditViewer(TTBView* view, int groupLevel) {
    return Create<TSkinEditItemViewer>(view, this, groupLevel);
}

TTBPopupWindow* TSkinEditItem::CreatePopupWindow(TTBView* parentView, bool customizing) {
    return Create<TSkinPopupWindow>(nullptr, parentView, this, customizing);
}

void TSkinEditItem::DefineProperties(TFiler* filer) {
    TTBEditItem::DefineProperties(filer);
    filer->DefineProperty(
        "PasswordChar",
        [this](TReader& reader) {
            // A character property is stored as a one-character string, or as its code when it has no glyph.
            const TValueType t = reader.NextValue();
            const bool set = (t == vaInt8 || t == vaInt16 || t == vaInt32) ? reader.ReadInteger() != 0 : [&] {
                const WideString s = reader.ReadWideString();
                return !s.empty() && s[0] != 0;
            }();
            if (set) SetPassword(true);
        },
        nullptr, false);
}

TSkinCustomDropDownItem::TSkinCustomDropDownItem(TComponent* owner) : TSkinEditItem(owner) {
    TTBItemStyle style = ItemStyle();
    style.Include(tbisSubmenu);
    style.Include(tbisCombo);
    style.Include(tbisSubitemsEditable);
    style.Exclude(tbisDontSelectFirst);
    SetItemStyle(style);
}

void TSkinCustomDropDownItem::SetDropDownList(bool value) {
    if (dropDownList_ == value) return;
    dropDownList_ = value;
    Change(true);
}

TTBItemViewer* TSkinCustomDropDownItem::CreateEditViewer(TTBView* view, int groupLevel) {
    return Create<TSkinDropDownItemViewer>(view, this, groupLevel);
}
