// Text helpers of the standard controls: accelerator characters of captions ("&Save" is reached with Alt+S)
// and text drawn on a canvas with the system's formatting rules.
#pragma once
#include "classlib/core/ControlTypes.h"
#include "classlib/core/Geometry.h"
#include "classlib/core/Types.h"
#include "classlib/win/Win32.h"

class TCanvas;
class TFont;

// Whether key (a character code) is the accelerator of caption: the character after its first single '&'
// ("&&" is a literal ampersand), compared without regard to case in the system's ANSI code page.
bool IsAccel(unsigned key, const AnsiString& caption);

// DrawTextA with the canvas's font and brush selected; with DT_CALCRECT, rect receives the text's extent.
void CanvasDrawText(TCanvas* canvas, const AnsiString& text, TRect& rect, UINT flags);

// The height of a line of text in font (a screen measurement of "0"), without any window.
int FontTextHeight(TFont* font);

// The DrawText flag of a horizontal alignment.
UINT DrawTextAlignment(TAlignment alignment);
