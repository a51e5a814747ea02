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

// One text of the link (caption or hint): how the action and the client read it and write it.
struct TLinkedText {
    WideString (*actionText)(TBasicAction*);
    WideString (*clientText)(TControl*);
    void (*setClientText)(TControl*, const WideString&);
    TCustomActionHelper::TWideText TCustomActionHelper::*field;
};
constexpr TLinkedText kCaption{&GetActionWideCaption, &GetControlWideText, &SetControlWideText,
                               &TCustomActionHelper::Caption};
constexpr TLinkedText kHint{&GetActionWideHint, &GetControlWideHint, &SetControlWideHint, &TCustomActionHelper::Hint};

// The wide texts decide for actions with wide texts (the 8-bit ones may be in the middle of a change);
// for others the library's answer must agree too.
bool IsLinked(TControl* client, TCustomAction* action, bool libraryAnswer, const TLinkedText& text) {
    if (!client || !action) return false;
    if (!ActionHelper(action) && !libraryAnswer) return false;
    return text.actionText(action) == text.clientText(client);
}

template <class Link>
void SetLinked(Link* link, TControl* client, TCustomAction* action, const AnsiString& value, const TLinkedText& text,
               bool (Link::*isLinked)()) {
    TCustomActionHelper* helper = ActionHelper(action);
    const auto* wide = helper ? &(helper->*text.field) : nullptr;
    if (IsIntermediate(wide, value) || !(link->*isLinked)()) return;
    text.setClientText(client, WideValue(wide, value));
}

}  // namespace

template <class Base>
bool TWideTextActionLink<Base>::IsCaptionLinked() {
    TCustomAction* action = this->CustomAction();
    return IsLinked(this->client_, action, action && Base::IsCaptionLinked(), kCaption);
}

template <class Base>
bool TWideTextActionLink<Base>::IsHintLinked() {
    TCustomAction* action = this->CustomAction();
    return IsLinked(this->client_, action, action && Base::IsHintLinked(), kHint);
}

template <class Base>
void TWideTextActionLink<Base>::SetCaption(const AnsiString& value) {
    SetLinked(this, this->client_, this->CustomAction(), value, kCaption, &TWideTextActionLink::IsCaptionLinked);
}

template <class Base>
void TWideTextActionLink<Base>::SetHint(const AnsiString& value) {
    SetLinked(this, this->client_, this->CustomAction(), value, kHint, &TWideTextActionLink::IsHintLinked);
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
