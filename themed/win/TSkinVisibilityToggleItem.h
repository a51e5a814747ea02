// An item that shows or hides a control (a toolbar, a panel): a click toggles the control's Visible, and
// the item is checked while the control is visible. Without a caption of its own it takes the control's.
#pragma once
#include "themed/win/TSkinCustomItem.h"

class TControl;

class TSkinVisibilityToggleItem : public TSkinCustomItem {
    CLASSLIB_COMPONENT(TSkinVisibilityToggleItem, TSkinCustomItem)

    explicit TSkinVisibilityToggleItem(TComponent* owner) : TSkinCustomItem(owner) {}
    ~TSkinVisibilityToggleItem() override;

    TControl* Control() const { return control_; }
    void SetControl(TControl* value);

    void Click() override;
    // Follows the control's visibility (run with the items' action updates).
    void InitiateAction() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void UpdateChecked();

    TControl* control_ = nullptr;
};
