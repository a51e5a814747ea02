#include "toolbar/win/TTBEditItem.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "toolbar/core/WideStringValues.h"
#include "toolbar/win/TTBEditItemViewer.h"
#include "toolbar/win/TTBView.h"

TTBEditItem::TTBEditItem(TComponent* owner) : TTBCustomItem(owner) {}

TTBEditItem::~TTBEditItem() {
    if (editingViewer_) editingViewer_->ItemGone();
}

void TTBEditItem::SetText(const WideString& value) {
    WideString text = value;
    AdjustText(text);
    if (text == text_) return;
    text_ = text;
    if (editingViewer_) editingViewer_->PushText(text_);
    Change(false);
    TextChanged();
}

void TTBEditItem::AdjustText(WideString& text) {
    if (charCase_ == ecUpperCase)
        text = WideUpperCase(text);
    else if (charCase_ == ecLowerCase)
        text = WideLowerCase(text);
}

void TTBEditItem::SetEditCaption(const WideString& value) {
    if (editCaption_ == value) return;
    editCaption_ = value;
    Change(true);
}

void TTBEditItem::SetEditWidth(std::int32_t value) {
    if (editWidth_ == value) return;
    editWidth_ = value;
    Change(true);
}

void TTBEditItem::SetEditOptions(TTBEditItemOptions value) {
    if (editOptions_ == value) return;
    editOptions_ = value;
    Change(true);
}

void TTBEditItem::SetMaxLength(std::int32_t value) {
    if (maxLength_ == value) return;
    maxLength_ = value;
    Change(false);
}

void TTBEditItem::SetCharCase(TEditCharCase value) {
    if (charCase_ == value) return;
    charCase_ = value;
    SetText(text_);
}

bool TTBEditItem::AcceptText(WideString text) {
    bool accept = true;
    if (OnAcceptText) OnAcceptText(this, text, accept);
    if (accept) SetText(text);
    return accept;
}

bool TTBEditItem::ShowsFieldIn(const TTBView* view) const {
    return view->Orientation() != TTBViewOrientation::Vertical || editOptions_.Contains(tboUseEditWhenVertical);
}

TTBItemViewer* TTBEditItem::CreateViewer(TTBView* view, int groupLevel, bool chevron) {
    if (chevron || !ShowsFieldIn(view)) return nullptr;
    return Create<TTBEditItemViewer>(view, this, groupLevel);
}

TTBCustomItemActionLinkClass TTBEditItem::GetActionLinkClass() {
    return TTBCustomItemActionLinkClass::Of<TTBEditItemActionLink>();
}

void TTBEditItem::DefineProperties(TFiler* filer) {
    TTBCustomItem::DefineProperties(filer);
    filer->DefineProperty(
        "EditCaption", [this](TReader& reader) { SetEditCaption(tb::ReadWideStringValue(reader)); },
        [this](TWriter& writer) { tb::WriteWideStringValue(writer, editCaption_); }, !editCaption_.empty());
    filer->DefineProperty(
        "Text", [this](TReader& reader) { SetText(tb::ReadWideStringValue(reader)); },
        [this](TWriter& writer) { tb::WriteWideStringValue(writer, text_); }, !text_.empty());
}
