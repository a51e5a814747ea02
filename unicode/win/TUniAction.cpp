#include "unicode/win/TUniAction.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TControl.h"
#include "unicode/core/PairedStrings.h"
#include "unicode/core/WideProperties.h"
#include "unicode/win/UniControls.h"

namespace {

using TWideText = TCustomActionHelper::TWideText;

WideString Read(TWideText& text, const AnsiString& ansi) {
    if (text.setting && ansi != text.target) return text.previous;
    return uni::ReadPairedWideString(text.wide, ansi);
}

// The 8-bit setter notifies the linked clients; meanwhile readers see the previous wide text.
void Write(TWideText& text, const WideString& value, const AnsiString& ansi,
           const std::function<void(const AnsiString&)>& setAnsi) {
    const WideString current = Read(text, ansi);
    text.previous = value.empty() ? WideString() : current;
    text.target = uni::ToAnsi(value);
    const bool wasSetting = std::exchange(text.setting, true);
    TScopeExit done([&] { text.setting = wasSetting; });
    uni::WritePairedWideString(value, text.wide, ansi, setAnsi);
}

}  // namespace

namespace uni {

TCustomActionHelper* ActionHelper(TBasicAction* action) {
    auto* custom = dynamic_cast<TCustomAction*>(action);
    if (!custom || !Supports<IWideTextAction>(action)) return nullptr;
    for (int i = 0; i < custom->ComponentCount(); ++i)
        if (auto* helper = dynamic_cast<TCustomActionHelper*>(custom->Components(i))) return helper;
    return Create<TCustomActionHelper>(custom);
}

namespace {

using TTextField = TWideText TCustomActionHelper::*;
using TAnsiGetter = const AnsiString& (TCustomAction::*)() const;
using TAnsiSetter = void (TCustomAction::*)(const AnsiString&);

WideString GetWide(TBasicAction* action, TTextField field, TAnsiGetter get) {
    auto* custom = dynamic_cast<TCustomAction*>(action);
    if (!custom) return WideString();
    TCustomActionHelper* helper = ActionHelper(action);
    return helper ? Read(helper->*field, (custom->*get)()) : FromAnsi((custom->*get)());
}

void SetWide(TBasicAction* action, const WideString& text, TTextField field, TAnsiGetter get, TAnsiSetter set) {
    auto* custom = dynamic_cast<TCustomAction*>(action);
    if (!custom) return;
    TCustomActionHelper* helper = ActionHelper(action);
    if (!helper) {
        (custom->*set)(ToAnsi(text));
        return;
    }
    Write(helper->*field, text, (custom->*get)(), [custom, set](const AnsiString& a) { (custom->*set)(a); });
}

}  // namespace

WideString GetActionWideCaption(TBasicAction* action) {
    return GetWide(action, &TCustomActionHelper::Caption, &TCustomAction::Caption);
}

void SetActionWideCaption(TBasicAction* action, const WideString& text) {
    SetWide(action, text, &TCustomActionHelper::Caption, &TCustomAction::Caption, &TCustomAction::SetCaption);
}

WideString GetActionWideHint(TBasicAction* action) {
    return GetWide(action, &TCustomActionHelper::Hint, &TCustomAction::Hint);
}

void SetActionWideHint(TBasicAction* action, const WideString& text) {
    SetWide(action, text, &TCustomActionHelper::Hint, &TCustomAction::Hint, &TCustomAction::SetHint);
}

void ApplyWideActionTexts(TControl* control, TObject* action, bool checkDefaults) {
    auto* custom = dynamic_cast<TCustomAction*>(action);
    if (!custom || !Supports<IWideTextAction>(custom)) return;
    const WideString text = GetControlWideText(control);
    if (!checkDefaults || text.empty() || text == FromAnsi(control->Name()))
        SetControlWideText(control, GetActionWideCaption(custom));
    if (!checkDefaults || GetControlWideHint(control).empty()) SetControlWideHint(control, GetActionWideHint(custom));
}

}  // namespace uni

namespace {

// Both wide action classes take the wide texts of a source action or control after the library's Assign.
void AssignWideTexts(TBasicAction* target, TPersistent* source, bool caption) {
    if (auto* action = dynamic_cast<TCustomAction*>(source)) {
        if (caption) uni::SetActionWideCaption(target, uni::GetActionWideCaption(action));
        uni::SetActionWideHint(target, uni::GetActionWideHint(action));
    } else if (auto* control = dynamic_cast<TControl*>(source)) {
        if (caption) uni::SetActionWideCaption(target, uni::GetControlWideText(control));
        uni::SetActionWideHint(target, uni::GetControlWideHint(control));
    }
}

}  // namespace

WideString TUniAction::Caption() { return uni::GetActionWideCaption(this); }
void TUniAction::SetCaption(const WideString& value) { uni::SetActionWideCaption(this, value); }
WideString TUniAction::Hint() { return uni::GetActionWideHint(this); }
void TUniAction::SetHint(const WideString& value) { uni::SetActionWideHint(this, value); }

void TUniAction::DefineProperties(TFiler* filer) {
    TAction::DefineProperties(filer);
    uni::DefineWideProperties(filer, this);
}

void TUniAction::Assign(TPersistent* source) {
    TAction::Assign(source);
    AssignWideTexts(this, source, true);
}

WideString TUniHintAction::Hint() { return uni::GetActionWideHint(this); }
void TUniHintAction::SetHint(const WideString& value) { uni::SetActionWideHint(this, value); }

void TUniHintAction::DefineProperties(TFiler* filer) {
    THintAction::DefineProperties(filer);
    uni::DefineWideProperties(filer, this);
}

void TUniHintAction::Assign(TPersistent* source) {
    THintAction::Assign(source);
    AssignWideTexts(this, source, true);
}
