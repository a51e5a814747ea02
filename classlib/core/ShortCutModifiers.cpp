#include "classlib/core/ShortCutModifiers.h"

namespace {

struct ModifierNames {
    AnsiString Shift = "Shift+";
    AnsiString Ctrl = "Ctrl+";
    AnsiString Alt = "Alt+";
};

ModifierNames& Names() {
    static ModifierNames names;
    return names;
}

}  // namespace

void SetShortCutModifierNames(const AnsiString& shift, const AnsiString& ctrl, const AnsiString& alt) {
    Names() = ModifierNames{shift, ctrl, alt};
}

const AnsiString& ShortCutModifierName(TShortCut modifier) {
    const ModifierNames& names = Names();
    return modifier == scShift ? names.Shift : modifier == scCtrl ? names.Ctrl : names.Alt;
}

AnsiString ShortCutModifiersText(TShortCut shortCut) {
    AnsiString result;
    for (TShortCut modifier : {scShift, scCtrl, scAlt})
        if (shortCut & modifier) result += ShortCutModifierName(modifier);
    return result;
}
