#include "toolbar/core/TTBCustomItemActionLink.h"

#include "classlib/core/CodePages.h"
#include "toolbar/core/TTBCustomItem.h"

TTBCustomItemActionLink::TTBCustomItemActionLink(TObject* client) : TActionLink(client) { AssignClient(client); }

void TTBCustomItemActionLink::AssignClient(TObject* client) {
    client_ = dynamic_cast<TTBCustomItem*>(client);
    if (!client_) TObject::RaiseInvalidCast();
}

// A value is linked while the item still shows the action's (the action tells its links before it changes
// its own value).
bool TTBCustomItemActionLink::IsCaptionLinked() {
    return TActionLink::IsCaptionLinked() && client_->Caption() == AnsiToWide(CustomAction()->Caption());
}
bool TTBCustomItemActionLink::IsCheckedLinked() {
    return TActionLink::IsCheckedLinked() && client_->Checked() == CustomAction()->Checked();
}
bool TTBCustomItemActionLink::IsEnabledLinked() {
    return TActionLink::IsEnabledLinked() && client_->Enabled() == CustomAction()->Enabled();
}
bool TTBCustomItemActionLink::IsHelpContextLinked() {
    return TActionLink::IsHelpContextLinked() && client_->HelpContext() == CustomAction()->HelpContext();
}
bool TTBCustomItemActionLink::IsHintLinked() {
    return TActionLink::IsHintLinked() && client_->Hint() == AnsiToWide(CustomAction()->Hint());
}
bool TTBCustomItemActionLink::IsImageIndexLinked() {
    return TActionLink::IsImageIndexLinked() && client_->ImageIndex() == CustomAction()->ImageIndex();
}
bool TTBCustomItemActionLink::IsShortCutLinked() {
    return TActionLink::IsShortCutLinked() && client_->ShortCut() == CustomAction()->ShortCut();
}
bool TTBCustomItemActionLink::IsVisibleLinked() {
    return TActionLink::IsVisibleLinked() && client_->Visible() == CustomAction()->Visible();
}
bool TTBCustomItemActionLink::IsOnExecuteLinked() {
    return TActionLink::IsOnExecuteLinked() && client_->OnClick == action_->OnExecute;
}

void TTBCustomItemActionLink::SetCaption(const AnsiString& value) {
    if (IsCaptionLinked()) client_->SetCaption(AnsiToWide(value));
}
void TTBCustomItemActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) client_->SetChecked(value);
}
void TTBCustomItemActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) client_->SetEnabled(value);
}
void TTBCustomItemActionLink::SetHelpContext(int value) {
    if (IsHelpContextLinked()) client_->SetHelpContext(value);
}
void TTBCustomItemActionLink::SetHint(const AnsiString& value) {
    if (IsHintLinked()) client_->SetHint(AnsiToWide(value));
}
void TTBCustomItemActionLink::SetImageIndex(int value) {
    if (IsImageIndexLinked()) client_->SetImageIndex(value);
}
void TTBCustomItemActionLink::SetShortCut(TShortCut value) {
    if (IsShortCutLinked()) client_->SetShortCut(value);
}
void TTBCustomItemActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) client_->SetVisible(value);
}
void TTBCustomItemActionLink::SetOnExecute(TNotifyEvent value) {
    if (IsOnExecuteLinked()) client_->OnClick = value;
}
