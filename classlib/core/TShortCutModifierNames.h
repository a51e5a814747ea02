// The names of the modifier keys that shortcut texts put before the key: "Shift+", "Ctrl+" and "Alt+" until a
// program sets those of its language ("Strg+" in German). Every shortcut text of the library uses them.
#pragma once
#include "classlib/core/Types.h"

struct TShortCutModifierNames {
    AnsiString Shift = "Shift+";
    AnsiString Ctrl = "Ctrl+";
    AnsiString Alt = "Alt+";
};

void SetShortCutModifierNames(const TShortCutModifierNames& names);
const TShortCutModifierNames& GetShortCutModifierNames();
