// Measuring and drawing the texts of toolbar and menu items: 8-bit and wide text widths (optionally without
// accelerator marks), wide text on every platform, and captions drawn top to bottom for vertical toolbars.
#pragma once
#include <string_view>

#include "classlib/core/Types.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/Win32.h"

namespace tb {

// The height of the DC's font (its text metrics).
int GetTextHeight(HDC dc);
// The width of an 8-bit text in the DC's font; with stripAccel after removing the accelerator marks (a
// lead byte of the system code page and its trail byte count as one character).
int GetTextWidth(HDC dc, std::string_view text, bool stripAccel);
// The width of a wide text; with stripAccel after StripAccelChars. A failing measurement of the stripped
// text raises EOSError.
int GetTextWidthW(HDC dc, std::u16string_view text, bool stripAccel);
// DrawTextW on Windows NT; elsewhere the text converted to the system code page and drawn with DrawTextA.
int DrawTextWide(HDC dc, std::u16string_view text, RECT& rect, UINT format);
// A character code from the keyboard (WM_CHAR of an 8-bit window, a key's character) as UTF-16: a code
// below 256 is a byte of the keyboard layout's ANSI code page.
char16_t CharToWide(unsigned code);

// The DC's font turned to run top to bottom (escapement and orientation 2700), TrueType only. The bitmap
// faces "MS Sans Serif" and "Microsoft Sans Serif" become "Arial" of the same height; the face's vertical
// variant ("@" and its name) is taken when the system has it.
TGdiHandle<HFONT> CreateRotatedFont(HDC dc);

// Draws a caption top to bottom in rect with CreateRotatedFont, honouring DT_CENTER, DT_NOPREFIX,
// DT_END_ELLIPSIS, DT_NOCLIP and DT_HIDEPREFIX (see toolbar/core/RotatedCaption.h for the text). The
// accelerator is underlined by a one-pixel line in the text colour. An empty caption draws nothing.
void DrawRotatedText(HDC dc, std::u16string_view caption, const RECT& rect, UINT format);

}  // namespace tb
