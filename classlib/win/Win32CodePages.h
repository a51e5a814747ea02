// The system's side of the code-page seam: conversions through MultiByteToWideChar / WideCharToMultiByte,
// the ANSI code page from GetACP, comparisons through CompareStringA/W and case mapping through
// CharUpperBuff/CharLowerBuff, all in the user's locale.
#pragma once
#include "classlib/core/CodePages.h"

namespace classlib {

// The one backend object (lives for the whole process).
TCodePageBackend& Win32CodePageBackend();
// Makes the platform-free conversions and comparisons use the system (program start-up calls this first).
void InstallWin32CodePages();
// Sets DecimalSeparator and ThousandSeparator from the user's locale (read once, at start-up).
void LoadLocaleSeparators();

}  // namespace classlib
