#include "classlib/win/TMenuActionLink.h"

#include "classlib/win/TMenuItem.h"

TMenuActionLink::TMenuActionLink(TObject* client) : TActionLink(client) { AssignClient(client); }

void TMenuActionLink::AssignClient(TObject* client) {
    client_ = dynamic_cast<TMenuItem*>(client);
    if (!client_) TObject::RaiseInvalidCast();
}

// A value is linked while the item still shows the action's (the action tells its links before it
// changes its own value).
bool TMenuActionLink::IsCaptionLinked() {
    return TActionLink::IsCaptionLinked() && client_->Caption() == CustomAction()->Caption();
}
bool TMenuActionLink::IsCheckedLinked() {
    return TActionLink::IsCheckedLinked() && client_->Checked() == CustomAction()->Checked();
}
bool TMenuActionLink::IsEnabledLinked() {
    return TActionLink::IsEnabledLinked() && client_->Enabled() == CustomAction()->Enabled();
}
bool TMenuActionLink::IsGroupIndexLinked() {
    return TActionLink::IsGroupIndexLinked() && client_->GroupIndex() == CustomAction()->GroupIndex();
}
bool TMenuActionLink::IsHintLinked() {
    return TActionLink::IsHintLinked() && client_->Hint() == CustomAction()->Hint();
}
bool TMenuActionLink::IsImageIndexLinked() {
    return TActionLink::IsImageIndexLinked() && client_->ImageIndex() == CustomAction()->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() {
    return TActionLink::IsShortCutLinked() && client_->ShortCut() == CustomAction()->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked() {
    return TActionLink::IsVisibleLinked() && client_->Visible() == CustomAction()->Visible();
}
bool TMenuActionLink::IsOnExecuteLinked() {
    return TActionLink::IsOnExecuteLinked() && client_->OnClick == action_->OnExecute;
}

void TMenuActionLink::SetCaption(const AnsiString& value) {
    if (IsCaptionLinked()) client_->SetCaption(value);
}
void TMenuActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) client_->SetChecked(value);
}
void TMenuActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) client_->SetEnabled(value);
}
void TMenuActionLink::SetGroupIndex(int value) {
    if (IsGroupIndexLinked()) client_->SetGroupIndex(value);
}
void TMenuActionLink::SetHint(const AnsiString& value) {
    if (IsHintLinked()) client_->SetHint(value);
}
void TMenuActionLink::SetImageIndex(int value) {
    if (IsImageIndexLinked()) client_->SetImageIndex(value);
}
void TMenuActionLink::SetShortCut(TShortCut value) {
    if (IsShortCutLinked()) client_->SetShortCut(value);
}
void TMenuActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) client_->SetVisible(value);
}
void TMenuActionLink::SetOnExecute(TNotifyEvent value) {
    if (IsOnExecuteLinked()) client_->OnClick = value;
}
