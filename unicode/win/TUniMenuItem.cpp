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
    uni::WritePairedWideString(value, hint_, TMenuItem::Hint(), [this](const AnsiString& ansi) { TMenuItem::SetHint(ansi); });
}

void TUniMenuItem::DefineProperties(TFiler* filer) {
    TMenuItem::DefineProperties(filer);
    uni::DefineWideProperties(filer, this);
}

void TUniMenuItem::Loaded() {
    TMenuItem::Loaded();
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

// The wide text of one of the action's texts while the 8-bit text is being set as its form; an empty
// 8-bit value in the middle of that only makes the library notice the change (null: ignore the value).
const WideString* SettingValue(const TCustomActionHelper::TWideText& text, const AnsiString& value, bool& ignore) {
    ignore = text.setting && value != text.target;
    return text.setting ? &text.wide : nullptr;
}

}  // namespace

bool TUniMenuActionLink::IsCaptionLinked() {
    TCustomAction* action = CustomAction();
    auto* item = dynamic_cast<TUniMenuItem*>(Client());
    if (!action || !item || (!uni::ActionHelper(action) && !TMenuActionLink::IsCaptionLinked())) return false;
    return uni::GetActionWideCaption(action) == item->Caption();
}

bool TUniMenuActionLink::IsHintLinked() {
    TCustomAction* action = CustomAction();
    auto* item = dynamic_cast<TUniMenuItem*>(Client());
    if (!action || !item || (!uni::ActionHelper(action) && !TMenuActionLink::IsHintLinked())) return false;
    return uni::GetActionWideHint(action) == item->Hint();
}

void TUniMenuActionLink::SetCaption(const AnsiString& value) {
    auto* item = dynamic_cast<TUniMenuItem*>(Client());
    TCustomActionHelper* helper = uni::ActionHelper(CustomAction());
    bool ignore = false;
    const WideString* wide = helper ? SettingValue(helper->Caption, value, ignore) : nullptr;
    if (!item || ignore || !IsCaptionLinked()) return;
    item->SetCaption(wide ? *wide : uni::FromAnsi(value));
}

void TUniMenuActionLink::SetHint(const AnsiString& value) {
    auto* item = dynamic_cast<TUniMenuItem*>(Client());
    TCustomActionHelper* helper = uni::ActionHelper(CustomAction());
    bool ignore = false;
    const WideString* wide = helper ? SettingValue(helper->Hint, value, ignore) : nullptr;
    if (!item || ignore || !IsHintLinked()) return;
    item->SetHint(wide ? *wide : uni::FromAnsi(value));
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
