#include "unicode/win/UniActionLinks.h"

#include "unicode/win/TUniAction.h"
#include "unicode/win/UniControls.h"

namespace uni {

namespace {

// While an action's 8-bit text is being set as the form of a new wide text, the value the clients are told
// is that wide text; any other value (the library's own 8-bit change) is widened.
WideString WideValue(const TCustomActionHelper::TWideText* text, const AnsiString& value) {
    if (text && text->setting && value == text->target) return text->wide;
    return FromAnsi(value);
}

// An empty value in the middle of setting a wide text only makes the library notice the change.
bool IsIntermediate(const TCustomActionHelper::TWideText* text, const AnsiString& value) {
    return text && text->setting && value != text->target;
}

}  // namespace

template <class Base>
bool TWideTextActionLink<Base>::IsCaptionLinked() {
    TControl* client = this->client_;
    TCustomAction* action = this->CustomAction();
    if (!client || !action) return false;
    // The wide texts decide for actions with wide texts; the 8-bit ones may be in the middle of a change.
    if (!ActionHelper(action) && !Base::IsCaptionLinked()) return false;
    return GetActionWideCaption(action) == GetControlWideText(client);
}

template <class Base>
bool TWideTextActionLink<Base>::IsHintLinked() {
    TControl* client = this->client_;
    TCustomAction* action = this->CustomAction();
    if (!client || !action) return false;
    if (!ActionHelper(action) && !Base::IsHintLinked()) return false;
    return GetActionWideHint(action) == GetControlWideHint(client);
}

template <class Base>
void TWideTextActionLink<Base>::SetCaption(const AnsiString& value) {
    TCustomActionHelper* helper = ActionHelper(this->CustomAction());
    const auto* text = helper ? &helper->Caption : nullptr;
    if (IsIntermediate(text, value) || !IsCaptionLinked()) return;
    SetControlWideText(this->client_, WideValue(text, value));
}

template <class Base>
void TWideTextActionLink<Base>::SetHint(const AnsiString& value) {
    TCustomActionHelper* helper = ActionHelper(this->CustomAction());
    const auto* text = helper ? &helper->Hint : nullptr;
    if (IsIntermediate(text, value) || !IsHintLinked()) return;
    SetControlWideHint(this->client_, WideValue(text, value));
}

template class TWideTextActionLink<TControlActionLink>;
template class TWideTextActionLink<TWinControlActionLink>;
template class TWideTextActionLink<TButtonActionLink>;
template class TWideTextActionLink<TListViewActionLink>;

TControlActionLinkClass WideActionLinkClassFor(TControl* control) {
    if (dynamic_cast<TCustomListView*>(control)) return TControlActionLinkClass::Of<TUniListViewActionLink>();
    if (dynamic_cast<TButtonControl*>(control)) return TControlActionLinkClass::Of<TUniButtonActionLink>();
    if (control && control->IsWindowed()) return TControlActionLinkClass::Of<TUniWinControlActionLink>();
    return TControlActionLinkClass::Of<TUniControlActionLink>();
}

}  // namespace uni
