// Conversions between UTF-16 and 8-bit text in any Windows code page, and the process-wide default user
// code page that "code page 0" stands for.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"

namespace uni {

constexpr int CP_UTF7_ = 65000;
constexpr int CP_UTF8_ = 65001;

// The system's own conversion of one code page (never 65000 or 65001, which this layer converts itself).
// Code page 0 means the system ANSI code page. An unknown code page gives an empty result.
struct SystemCodePageConverter {
    WideString (*toWide)(const AnsiString& text, int codePage) = nullptr;
    AnsiString (*fromWide)(const WideString& text, int codePage) = nullptr;
    // The system ANSI code page.
    int (*ansiCodePage)() = nullptr;
};

// Replaces the system conversion (the Windows build installs the Win32 one; native tests install tables
// of their own). Resets the default user code page, which is read again on next use. Returns the previous
// converter.
SystemCodePageConverter SetSystemCodePageConverter(const SystemCodePageConverter& converter);

// The system ANSI code page, read once and then kept.
int DefaultUserCodePage();

// 65000 decodes UTF-7, 65001 UTF-8, any other code page goes to the system conversion.
WideString DecodeCodePage(const AnsiString& text, int codePage);
// 65000 encodes UTF-7, 65001 UTF-8, any other code page goes to the system conversion (characters that
// the code page lacks become what the system makes of them, usually "?").
AnsiString EncodeCodePage(const WideString& text, int codePage);

// Swaps the two bytes of every unit up to the first 0 unit (or the end of the string).
void SwapUnitBytes(WideString& text);

}  // namespace uni
