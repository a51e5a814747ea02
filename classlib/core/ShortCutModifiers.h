// The names of the modifiers in front of a shortcut's key: "Shift+", "Ctrl+" and "Alt+" unless a language sets
// its own. Every shortcut text of the program takes them from here.
#pragma once
#include "classlib/core/TShortCut.h"
#include "classlib/core/Types.h"

void SetShortCutModifierNames(const AnsiString& shift, const AnsiString& ctrl, const AnsiString& alt);
// The name of one modifier bit: scShift, scCtrl or scAlt.
const AnsiString& ShortCutModifierName(TShortCut modifier);
// The names of shortCut's modifiers in the order Shift, Ctrl, Alt ("Shift+Ctrl+" for Ctrl+Shift+A).
AnsiString ShortCutModifiersText(TShortCut shortCut);
