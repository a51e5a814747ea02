// Conversions between UTF-16 and 8-bit text in any Windows code page, and the default user code page
// that "code page 0" stands for. The system conversions themselves are the class library's.
#pragma once
#include "classlib/core/Types.h"

namespace uni {

constexpr int CP_UTF7_ = 65000;
constexpr int CP_UTF8_ = 65001;

// The system ANSI code page.
int DefaultUserCodePage();

// 65000 decodes UTF-7 (raising EUniGeneralError on malformed input), 65001 UTF-8, any other code page goes
// to the system conversion; an unknown code page gives an empty result.
WideString DecodeCodePage(const AnsiString& text, int codePage);
// 65000 encodes UTF-7, 65001 UTF-8, any other code page goes to the system conversion (characters that the
// code page lacks become what the system makes of them, usually "?"); an unknown code page gives an empty
// result.
AnsiString EncodeCodePage(const WideString& text, int codePage);

// Swaps the two bytes of every unit up to the first 0 unit (or the end of the string).
void SwapUnitBytes(WideString& text);

}  // namespace uni
