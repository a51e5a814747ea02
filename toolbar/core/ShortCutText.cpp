#include "toolbar/core/ShortCutText.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/TShortCutModifierNames.h"

namespace tb {

WideString ComposeShortCutText(TShortCut shortCut, const WideString& keyName) {
    if (shortCut == 0 || keyName.empty()) return WideString();
    // Put in front one after the other (Alt, then Ctrl, then Shift), so the text reads Shift, Ctrl, Alt, key.
    const TShortCutModifierNames& names = GetShortCutModifierNames();
    WideString text = keyName;
    if (shortCut & scAlt) text = AnsiToWide(names.Alt) + text;
    if (shortCut & scCtrl) text = AnsiToWide(names.Ctrl) + text;
    if (shortCut & scShift) text = AnsiToWide(names.Shift) + text;
    return text;
}

}  // namespace tb
