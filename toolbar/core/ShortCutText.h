// The text a menu shows for a shortcut: the names of Shift, Ctrl and Alt (in that order, those the class
// library's shortcut texts use) before the key's name, as in "Shift+Ctrl+Z".
#pragma once
#include "classlib/core/TShortCut.h"
#include "classlib/core/Types.h"

namespace tb {

// The prefixes of shortCut's modifiers (the class library's names, ShortCutModifiersText) before keyName;
// empty when shortCut is 0 or keyName is empty.
WideString ComposeShortCutText(TShortCut shortCut, const WideString& keyName);

// The shortcut text of this system: on Windows NT a letter, digit or keypad digit named as the keyboard layout
// shows it and every other key by the class library; natively the class library's shortcut text.
WideString ShortCutText(TShortCut shortCut);

}  // namespace tb
