// An item that shows a control (an edit, a combo box) inside a toolbar. The item frees its control when it
// is destroyed, unless DontFreeControl is set; a control freed first leaves the item empty.
#pragma once
#include "toolbar/core/TTBCustomItem.h"

class TControl;

class TTBControlItem : public TTBCustomItem {
    CLASSLIB_COMPONENT(TTBControlItem, TTBCustomItem)

    explicit TTBControlItem(TComponent* owner);
    ~TTBControlItem() override;

    TControl* Control() const { return control_; }
    void SetControl(TControl* value);
    bool DontFreeControl() const { return dontFreeControl_; }
    void SetDontFreeControl(bool value) { dontFreeControl_ = value; }

    void Notification(TComponent* component, TOperation operation) override;

private:
    TControl* control_ = nullptr;
    bool dontFreeControl_ = false;
};
