#include "classlib/win/TButtonControl.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TCustomAction.h"

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {}

void TButtonControl::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    RecreateWnd();
}

TControlActionLinkClass TButtonControl::GetActionLinkClass() {
    return TControlActionLinkClass::Of<TButtonActionLink>();
}

void TButtonControl::ActionChange(TObject* sender, bool checkDefaults) {
    TWinControl::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(sender))
        if (!checkDefaults || !Checked()) SetCheckedQuietly(action->Checked());
}

void TButtonControl::SetCheckedQuietly(bool value) {
    TScopeExit restore([this, saved = clicksDisabled_] { clicksDisabled_ = saved; });
    clicksDisabled_ = true;
    SetChecked(value);
}

TButtonActionLink::TButtonActionLink(TObject* client)
    : TWinControlActionLink(client), button_(dynamic_cast<TButtonControl*>(client)) {}

bool TButtonActionLink::IsCheckedLinked() {
    auto* action = CustomAction();
    return TWinControlActionLink::IsCheckedLinked() && button_ && action && button_->Checked() == action->Checked();
}

void TButtonActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) button_->SetCheckedQuietly(value);
}
