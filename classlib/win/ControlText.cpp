#include "classlib/win/ControlText.h"

#include <cstring>

#include "classlib/core/CaptionText.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TFont.h"
#include "classlib/win/Win32.h"
#include "classlib/win/WindowDC.h"

namespace {
unsigned char Upper(unsigned char c) {
    // CharUpperA takes a single character in the low word of its argument.
    return static_cast<unsigned char>(
        reinterpret_cast<std::uintptr_t>(::CharUpperA(reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(c)))));
}
}  // namespace

bool IsAccel(unsigned key, const AnsiString& caption) {
    const char accel = AccelChar(caption);
    if (accel == 0 || key == 0 || key > 0xFF) return false;
    return Upper(static_cast<unsigned char>(key)) == Upper(static_cast<unsigned char>(accel));
}

void CanvasDrawText(TCanvas* canvas, const AnsiString& text, TRect& rect, UINT flags) {
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    rect = TRect{r.left, r.top, r.right, r.bottom};
}

int FontTextHeight(TFont* font) {
    // Group boxes ask at every alignment pass, nearly always for the same font; selecting a font into the
    // screen costs the windowing system far more than comparing its description.
    thread_local LOGFONTA lastFont{};
    thread_local int lastHeight = -1;
    const LOGFONTA description = font->LogFont();
    if (lastHeight >= 0 && std::memcmp(&description, &lastFont, sizeof description) == 0) return lastHeight;
    const TWindowDC dc;
    HGDIOBJ old = ::SelectObject(dc.Get(), font->Handle());
    SIZE size{};
    ::GetTextExtentPoint32A(dc.Get(), "0", 1, &size);
    ::SelectObject(dc.Get(), old);
    lastFont = description;
    lastHeight = size.cy;
    return size.cy;
}

UINT DrawTextAlignment(TAlignment alignment) {
    return alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
}
