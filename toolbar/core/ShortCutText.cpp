#include "toolbar/core/ShortCutText.h"

namespace tb {

WideString ComposeShortCutText(TShortCut shortCut, const WideString& keyName) {
    if (shortCut == 0 || keyName.empty()) return WideString();
    // Put in front one after the other (Alt, then Ctrl, then Shift), so the text reads Shift, Ctrl, Alt, key.
    WideString text = keyName;
    if (shortCut & scAlt) text = kAltPrefix + text;
    if (shortCut & scCtrl) text = kCtrlPrefix + text;
    if (shortCut & scShift) text = kShiftPrefix + text;
    return text;
}

}  // namespace tb
