// The code page of a locale or of the keyboard layout, and the widening of a typed character.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"

namespace uni {

// The ANSI code page of a locale (LOCALE_IDEFAULTANSICODEPAGE); the system ANSI code page when the
// locale gives nothing that parses as a number.
int CodePageOfLocale(std::uint32_t locale);
// The code page of the language of the current thread's keyboard layout.
int CodePageOfKeyboard();
// A character code of 256 or more is already a UTF-16 unit; a smaller one is a byte in the keyboard's
// code page and is converted.
WideChar WidenKeyChar(std::uint16_t charCode);

}  // namespace uni
