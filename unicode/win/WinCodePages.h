// The system side of the code-page conversions: Win32 conversion, the code page of a locale or of the
// keyboard layout, and the widening of a typed character.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"
#include "unicode/core/CodePages.h"

namespace uni {

// The converter that goes through MultiByteToWideChar / WideCharToMultiByte and GetACP.
SystemCodePageConverter Win32CodePageConverter();
// Installs it as the layer's system conversion (done by the layer's start-up).
void InstallWin32CodePages();

// The ANSI code page of a locale (LOCALE_IDEFAULTANSICODEPAGE); the system ANSI code page when the
// locale gives nothing that parses as a number.
int CodePageOfLocale(std::uint32_t locale);
// The code page of the language of the current thread's keyboard layout.
int CodePageOfKeyboard();
// A character code of 256 or more is already a UTF-16 unit; a smaller one is a byte in the keyboard's
// code page and is converted.
WideChar WidenKeyChar(std::uint16_t charCode);

}  // namespace uni
