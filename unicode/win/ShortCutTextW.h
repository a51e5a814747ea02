// The wide text of a keyboard shortcut: the library's text where it names the key, otherwise the character
// the keyboard layout puts on it.
#pragma once
#include "classlib/core/TShortCut.h"
#include "classlib/core/Types.h"

namespace uni {

// The library's modifier names ("Shift+", "Ctrl+", "Alt+" in this order), then the key. A letter or
// punctuation key whose character the code page lacks is named by MapVirtualKeyW (a digit key keeps its own
// digit); empty for no shortcut or a key without any name.
WideString ShortCutTextW(TShortCut shortCut);

}  // namespace uni
