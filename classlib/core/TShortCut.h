// Keyboard shortcuts: a virtual-key code with Shift, Ctrl and Alt bits in one 16-bit value, written
// ShortCut('O', {ssCtrl}) (16463) or ShortCut('D', {ssCtrl, ssShift}) (24644).
#pragma once
#include <cstdint>

#include "classlib/core/TSet.h"
#include "classlib/core/Types.h"

using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

// The key (low byte) with the modifier bits of shift (mouse buttons ignored); 0 when key does not fit a byte.
constexpr TShortCut ShortCut(std::uint16_t key, TShiftState shift) {
    if (key > 0xFF) return 0;
    TShortCut result = key;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}
// Splits a shortcut into its key and modifiers.
void ShortCutToKey(TShortCut shortCut, std::uint16_t& key, TShiftState& shift);

// The text of a shortcut: "Shift+", "Ctrl+", "Alt+" in this order, then the key's name ("Shift+Ctrl+A").
// Empty when the key has no name.
AnsiString ShortCutToText(TShortCut shortCut);
// The reverse of ShortCutToText (modifier names case-insensitive, in any order); 0 when not recognised.
TShortCut TextToShortCut(const AnsiString& text);

// The class library's own name of a key (BkSp, Tab, Enter, Esc, Space, PgUp, PgDn, End, Home, Left, Up,
// Right, Down, Ins, Del), or empty for any other key.
AnsiString NamedKeyText(std::uint16_t key);

// Names of the other keys: letters and digits as the keyboard shows them, function keys, the numeric pad.
// The default answers from a fixed table ('A'..'Z', '0'..'9', F1..F24, "Num 0".."Num 9"); the Windows build
// may install the keyboard layout's names. Returns empty for an unknown key.
using TKeyNameLookup = AnsiString (*)(std::uint16_t key);
void SetKeyNameLookup(TKeyNameLookup lookup);
TKeyNameLookup GetKeyNameLookup();
AnsiString DefaultKeyName(std::uint16_t key);
