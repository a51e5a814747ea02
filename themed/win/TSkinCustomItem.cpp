#include "themed/win/TSkinCustomItem.h"

#include "themed/win/TSkinItemViewer.h"
#include "themed/win/TSkinPopupWindow.h"

TSkinCustomItem::TSkinCustomItem(TComponent* owner) : TTBCustomItem(owner), fontSettings_(MakeObject<TFontSettings>()) {
    fontSettings_->OnChange = TNotifyEvent::Bind<&TSkinCustomItem::FontSettingsChanged>(this);
}

TSkinCustomItem::~TSkinCustomItem() = default;

void TSkinCustomItem::FontSettingsChanged(TObject*) { Change(true); }

void TSkinCustomItem::SetLayout(skin::TSkinItemLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    Change(true);
}

void TSkinCustomItem::SetMinWidth(int value) {
    if (minWidth_ == value) return;
    minWidth_ = value;
    Change(true);
}

void TSkinCustomItem::SetMinHeight(int value) {
    if (minHeight_ == value) return;
    minHeight_ = value;
    Change(true);
}

void TSkinCustomItem::SetStretch(bool value) { SetStyleFlag(tbisStretch, value); }

void TSkinCustomItem::SetStyleFlag(TTBItemStyleFlag flag, bool on) {
    TTBItemStyle style = ItemStyle();
    if (style.Contains(flag) == on) return;
    if (on)
        style.Include(flag);
    else
        style.Exclude(flag);
    SetItemStyle(style);
    Change(true);
}

void TSkinCustomItem::DoPopup(TTBCustomItem* sender, bool fromLink) {
    // Children may be freed by an update: walk by index.
    for (int i = 0; i < Count(); ++i) Items(i)->InitiateAction();
    TTBCustomItem::DoPopup(sender, fromLink);
}

TTBItemViewer* TSkinCustomItem::CreateViewer(TTBView* view, int groupLevel, bool chevron) {
    if (chevron) return nullptr;
    return Create<TSkinItemViewer>(view, this, groupLevel);
}

TTBPopupWindow* TSkinCustomItem::CreatePopupWindow(TTBView* parentView, bool customizing) {
    return Create<TSkinPopupWindow>(nullptr, parentView, this, customizing);
}

skin::TPopupKind TSkinCustomItem::SkinPopupKind() const {
    return toolBoxPopup_ ? skin::TPopupKind::ToolBox : skin::TPopupKind::Menu;
}

TSkinSubmenuItem::TSkinSubmenuItem(TComponent* owner) : TSkinCustomItem(owner) {
    TTBItemStyle style = ItemStyle();
    style.Include(tbisSubmenu);
    style.Include(tbisSubitemsEditable);
    SetItemStyle(style);
}
