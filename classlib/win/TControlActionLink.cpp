#include "classlib/win/TControlActionLink.h"

#include "classlib/win/TControl.h"

TControlActionLink::TControlActionLink(TObject* client)
    : TActionLink(client), client_(dynamic_cast<TControl*>(client)) {}

bool TControlActionLink::IsCaptionLinked() {
    return Follows([this](TCustomAction* a) { return client_->Caption() == a->Caption(); });
}

bool TControlActionLink::IsEnabledLinked() {
    return Follows([this](TCustomAction* a) { return client_->Enabled() == a->Enabled(); });
}

bool TControlActionLink::IsHelpContextLinked() {
    return Follows([this](TCustomAction* a) { return client_->HelpContext() == a->HelpContext(); });
}

bool TControlActionLink::IsHintLinked() {
    return Follows([this](TCustomAction* a) { return client_->Hint() == a->Hint(); });
}

bool TControlActionLink::IsVisibleLinked() {
    return Follows([this](TCustomAction* a) { return client_->Visible() == a->Visible(); });
}

bool TControlActionLink::IsOnExecuteLinked() { return action_ && client_ && client_->OnClick == action_->OnExecute; }

bool TControlActionLink::DoShowHint(AnsiString& hintStr) {
    TCustomAction* a = CustomAction();
    return a ? a->DoHint(hintStr) : true;
}

void TControlActionLink::SetCaption(const AnsiString& value) {
    if (IsCaptionLinked()) client_->SetCaption(value);
}

void TControlActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) client_->SetEnabled(value);
}

void TControlActionLink::SetHelpContext(int value) {
    if (IsHelpContextLinked()) client_->SetHelpContext(value);
}

void TControlActionLink::SetHint(const AnsiString& value) {
    if (IsHintLinked()) client_->SetHint(value);
}

void TControlActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) client_->SetVisible(value);
}

void TControlActionLink::SetOnExecute(TNotifyEvent value) {
    if (IsOnExecuteLinked()) client_->OnClick = value;
}
