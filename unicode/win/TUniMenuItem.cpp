#include "unicode/win/TUniMenuItem.h"

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TMenu.h"
#include "unicode/core/PairedStrings.h"
#include "unicode/core/WideProperties.h"
#include "unicode/win/ShortCutTextW.h"
#include "unicode/win/TUniAction.h"
#include "unicode/win/TUniForm.h"
#include "unicode/win/TUniPopupList.h"
#include "unicode/win/UniControls.h"
#include "unicode/win/UniMenuEntries.h"

WideString TUniMenuItem::Caption() { return uni::ReadPairedWideString(caption_, TMenuItem::Caption()); }

void TUniMenuItem::SetCaption(const WideString& value) {
    const WideString before = Caption();
    uni::WritePairedWideString(value, caption_, TMenuItem::Caption(),
                               [this](const AnsiString& ansi) { TMenuItem::SetCaption(ansi); });
    // An 8-bit text that stayed the same told nobody: the native entry still shows the old wide text.
    if (before != value) WriteNativeCaption();
}

WideString TUniMenuItem::Hint() { return uni::ReadPairedWideString(hint_, TMenuItem::Hint()); }

void TUniMenuItem::SetHint(const WideString& value) {
    uni::WritePairedWideString(value, hint_, TMenuItem::Hint(),
                               [this](const AnsiString& ansi) { TMenuItem::SetHint(ansi); });
}

void TUniMenuItem::DefineProperties(TFiler* filer) {
    TMenuItem::DefineProperties(filer);
    uni::DefineWideProperties(filer, this);
}

void TUniMenuItem::Loaded() {
    TMenuItem::Loaded();
    WriteNativeCaption();
}

void TUniMenuItem::InitiateAction() {
    TMenuItem::InitiateAction();
    WriteNativeCaption();
}

void TUniMenuItem::MenuChanged(bool rebuild) {
    WriteNativeCaption();
    // A rebuilt submenu got its entries in 8-bit form.
    if (rebuild && HandleAllocated()) uni::WriteWideMenuEntries(this);
    TMenuItem::MenuChanged(rebuild);
}

void TUniMenuItem::WriteNativeCaption() {
    TMenuItem* parent = Parent();
    if (!parent || !parent->HandleAllocated() || !Visible() || IsLine()) return;
    uni::WriteWideMenuEntry(this);
}

void TUniMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
    if (auto* action = dynamic_cast<TBasicAction*>(sender); action && uni::ActionHelper(action)) {
        if (!checkDefaults || Caption().empty()) SetCaption(uni::GetActionWideCaption(action));
        if (!checkDefaults || Hint().empty()) SetHint(uni::GetActionWideHint(action));
    }
    TMenuItem::ActionChange(sender, checkDefaults);
}

TActionLinkClass TUniMenuItem::GetActionLinkClass() { return TActionLinkClass::Of<TUniMenuActionLink>(); }

namespace {

// One text of the link (caption or hint): how the action and the item read and write it.
struct TMenuLinkedText {
    WideString (*actionText)(TBasicAction*);
    WideString (TUniMenuItem::*itemText)();
    void (TUniMenuItem::*setItemText)(const WideString&);
    TCustomActionHelper::TWideText TCustomActionHelper::*field;
};
constexpr TMenuLinkedText kCaption{&uni::GetActionWideCaption, &TUniMenuItem::Caption, &TUniMenuItem::SetCaption,
                                   &TCustomActionHelper::Caption};
constexpr TMenuLinkedText kHint{&uni::GetActionWideHint, &TUniMenuItem::Hint, &TUniMenuItem::SetHint,
                                &TCustomActionHelper::Hint};

// The wide texts decide for actions with wide texts; for others the library's answer must agree too.
bool IsLinked(TCustomAction* action, TObject* client, bool libraryAnswer, const TMenuLinkedText& text) {
    auto* item = dynamic_cast<TUniMenuItem*>(client);
    if (!action || !item || (!uni::ActionHelper(action) && !libraryAnswer)) return false;
    return text.actionText(action) == (item->*text.itemText)();
}

// While the action's 8-bit text is being set as the form of a new wide text, the item gets that wide
// text, and an empty value in the middle of it only makes the library notice the change.
void SetLinked(TCustomAction* action, TObject* client, const AnsiString& value, bool linked,
               const TMenuLinkedText& text) {
    auto* item = dynamic_cast<TUniMenuItem*>(client);
    TCustomActionHelper* helper = uni::ActionHelper(action);
    const TCustomActionHelper::TWideText* wide = helper ? &(helper->*text.field) : nullptr;
    const bool setting = wide && wide->setting;
    if (!item || (setting && value != wide->target) || !linked) return;
    (item->*text.setItemText)(setting ? wide->wide : uni::FromAnsi(value));
}

}  // namespace

bool TUniMenuActionLink::IsCaptionLinked() {
    return IsLinked(CustomAction(), Client(), CustomAction() && TMenuActionLink::IsCaptionLinked(), kCaption);
}

bool TUniMenuActionLink::IsHintLinked() {
    return IsLinked(CustomAction(), Client(), CustomAction() && TMenuActionLink::IsHintLinked(), kHint);
}

void TUniMenuActionLink::SetCaption(const AnsiString& value) {
    SetLinked(CustomAction(), Client(), value, IsCaptionLinked(), kCaption);
}

void TUniMenuActionLink::SetHint(const AnsiString& value) {
    SetLinked(CustomAction(), Client(), value, IsHintLinked(), kHint);
}

namespace uni {

WideString MenuItemHintW(TMenuItem* item) {
    if (auto* wide = dynamic_cast<TUniMenuItem*>(item)) return wide->Hint();
    return item ? FromAnsi(item->Hint()) : WideString();
}

void RegisterUniMenusUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterMenusUnit();
    static TPopupList* previous = nullptr;
    classlib::RegisterUnit(
        "UniMenus",
        [] {
            EnsurePopupList();
            previous = SetPopupList(Create<TUniPopupList>());
            SetMenuItemWideHintReader(&MenuItemHintW);
        },
        [] {
            SetMenuItemWideHintReader(nullptr);
            if (!previous) return;
            Free(SetPopupList(previous));
            previous = nullptr;
        },
        UniMenusUnitOrder);
}

}  // namespace uni
