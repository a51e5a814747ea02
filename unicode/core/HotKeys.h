// "&" hot keys in wide captions: "&x" makes x the hot key, "&&" stands for a literal "&". These rules decide
// which character of a Unicode menu item, button or tab answers the keyboard.
#pragma once
#include <string_view>

#include "classlib/core/Types.h"

namespace uni {

// The 1-based position of the character after the last single "&"; 0 when there is none (a trailing "&"
// marks nothing).
int HotkeyPosW(std::u16string_view caption);
// That character, or empty.
WideString HotkeyCharW(std::u16string_view caption);
// The caption with every single "&" removed and every "&&" made one "&". With farEast, a "(&X)" group
// after the first character (the Far-Eastern way of giving a hot key) is removed whole.
WideString StripHotkeyW(std::u16string_view caption, bool farEast = false);
// Equal once the hot keys are stripped, ignoring case; the case-sensitive twin serves caption
// synchronisation.
bool SameCaptionW(std::u16string_view a, std::u16string_view b, bool farEast = false);
bool SameCaptionCaseW(std::u16string_view a, std::u16string_view b, bool farEast = false);
// Whether typed (already a UTF-16 unit) is the caption's hot-key character, ignoring case.
bool IsHotkeyCharW(WideChar typed, std::u16string_view caption);

}  // namespace uni
