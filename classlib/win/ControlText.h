// Text helpers of the standard controls: accelerator characters of captions ("&Save" is reached with Alt+S)
// and text drawn on a canvas with the system's formatting rules.
#pragma once
#include <string_view>

#include "classlib/core/ControlTypes.h"
#include "classlib/core/Geometry.h"
#include "classlib/core/Types.h"
#include "classlib/win/Win32.h"

class TCanvas;
class TFont;

// Whether key (a character code) is the accelerator of caption: the character after its first single '&'
// ("&&" is a literal ampersand), compared without regard to case in the system's ANSI code page.
bool IsAccel(unsigned key, const AnsiString& caption);

// DrawTextA with the canvas's font and brush selected; with DT_CALCRECT, rect receives the text's extent. The
// text is drawn by DrawTextAsMeasured.
void CanvasDrawText(TCanvas* canvas, const AnsiString& text, TRect& rect, UINT flags);

// DrawTextW, with every character drawn where the font's measurement places it, so that the text covers what
// DT_CALCRECT measured. Wine draws small sizes of a font with embedded bitmaps (its own Tahoma at 11 pixels)
// from the bitmaps' steps, while it measures with the outlines': "3.14.0" measures 30 pixels and is drawn 32
// wide, cut by its label, and an underline, drawn as long as measured, runs past a text drawn narrower.
// Measuring, word breaks, ellipses, expanded tabs and right-to-left text are left to DrawTextW.
void DrawTextAsMeasured(HDC dc, std::u16string_view text, RECT& rect, UINT flags);

// The height of a line of text in font (a screen measurement of "0"), without any window.
int FontTextHeight(TFont* font);

// The DrawText flag of a horizontal alignment.
UINT DrawTextAlignment(TAlignment alignment);
