// Native half of the shortcut texts (the Windows half is toolbar/win/ShortCutTextWin.cpp).
#ifndef _WIN32

#include "classlib/core/CodePages.h"
#include "toolbar/core/ShortCutText.h"

WideString tb::ShortCutText(TShortCut shortCut) { return AnsiToWide(ShortCutToText(shortCut)); }

#endif
