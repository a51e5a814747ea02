#include "classlib/core/TActionLink.h"

TCustomAction* TActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(action_); }

bool TActionLink::IsCaptionLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHelpContextLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsShortCutLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsOnExecuteLinked() { return action_ != nullptr; }

void TActionLink::SetAutoCheck(bool) {}
void TActionLink::SetCaption(const AnsiString&) {}
void TActionLink::SetChecked(bool) {}
void TActionLink::SetEnabled(bool) {}
void TActionLink::SetGroupIndex(int) {}
void TActionLink::SetHelpContext(int) {}
void TActionLink::SetHint(const AnsiString&) {}
void TActionLink::SetImageIndex(int) {}
void TActionLink::SetShortCut(TShortCut) {}
void TActionLink::SetVisible(bool) {}
