#include "toolbar/win/TTBControlItem.h"

#include "classlib/win/TControl.h"

TTBControlItem::TTBControlItem(TComponent* owner) : TTBCustomItem(owner) {
    SetItemStyle((ItemStyle() - TTBItemStyle{tbisSelectable}) + TTBItemStyle{tbisClicksTransparent});
}

TTBControlItem::~TTBControlItem() {
    TControl* control = control_;
    control_ = nullptr;
    if (control && !dontFreeControl_) Free(control);
}

void TTBControlItem::SetControl(TControl* value) {
    if (value == control_) return;
    if (control_) RemoveFreeNotification(control_);
    control_ = value;
    if (value) value->FreeNotification(this);
    Change(true);
}

void TTBControlItem::Notification(TComponent* component, TOperation operation) {
    TTBCustomItem::Notification(component, operation);
    if (operation == opRemove && component && component == control_) {
        control_ = nullptr;
        Change(true);
    }
}
