#include "themed/win/TSkinVisibilityToggleItem.h"

#include "classlib/core/CodePages.h"
#include "classlib/win/TControl.h"
#include "toolbar/win/TTBCustomDockableWindow.h"

TSkinVisibilityToggleItem::~TSkinVisibilityToggleItem() {
    if (control_) control_->RemoveFreeNotification(this);
}

void TSkinVisibilityToggleItem::SetControl(TControl* value) {
    if (control_ == value) return;
    if (control_) control_->RemoveFreeNotification(this);
    control_ = value;
    if (!control_) return;
    control_->FreeNotification(this);
    if (Caption().empty()) {
        if (auto* window = dynamic_cast<TTBCustomDockableWindow*>(control_))
            SetCaption(window->Caption());
        else
            SetCaption(AnsiToWide(control_->GetText()));
    }
    UpdateChecked();
}

void TSkinVisibilityToggleItem::UpdateChecked() {
    if (!control_ || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    SetChecked(control_->Visible());
}

void TSkinVisibilityToggleItem::Click() {
    if (control_ && Enabled()) {
        control_->SetVisible(!control_->Visible());
        UpdateChecked();
    }
    TSkinCustomItem::Click();
}

void TSkinVisibilityToggleItem::InitiateAction() {
    TSkinCustomItem::InitiateAction();
    UpdateChecked();
}

void TSkinVisibilityToggleItem::Notification(TComponent* component, TOperation operation) {
    TSkinCustomItem::Notification(component, operation);
    if (operation == opRemove && component == control_) control_ = nullptr;
}
