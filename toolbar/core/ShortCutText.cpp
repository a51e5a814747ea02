#include "toolbar/core/ShortCutText.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/ShortCutModifiers.h"

namespace tb {

WideString ComposeShortCutText(TShortCut shortCut, const WideString& keyName) {
    if (shortCut == 0 || keyName.empty()) return WideString();
    return AnsiToWide(ShortCutModifiersText(shortCut)) + keyName;
}

}  // namespace tb
