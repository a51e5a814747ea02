// The wide text of a keyboard shortcut: the library's text where it names the key, otherwise the name the
// keyboard layout gives it.
#pragma once
#include "classlib/core/TShortCut.h"
#include "classlib/core/Types.h"

namespace uni {

// "Shift+", "Ctrl+", "Alt+" in this order, then the key. Digits, letters and numeric-pad keys are named by
// MapVirtualKeyW (a digit key keeps its own digit when the layout puts something else on it), other keys by
// GetKeyNameTextW; empty for no shortcut or a key without any name.
WideString ShortCutTextW(TShortCut shortCut);

}  // namespace uni
