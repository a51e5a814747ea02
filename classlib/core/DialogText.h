// The text the file dialogs exchange with the system: the filter list going in and the selected file names
// coming back. Both forms exist for 8-bit and for UTF-16 text, with the same rules.
#pragma once
#include <string_view>
#include <vector>

#include "classlib/core/Types.h"

// The filter as the system wants it: every "|" of "Pictures|*.jpg|All|*.*" becomes a NUL, and the list ends
// with two NULs ("Pictures\0*.jpg\0All\0*.*\0\0"). An empty filter stays empty (no list at all).
AnsiString DialogFilter(std::string_view filter);
WideString DialogFilter(std::u16string_view filter);

// The names a file dialog wrote into its buffer. Only the bytes of buffer are read, so a buffer the system
// filled to the last character without a terminator is safe; the end of the buffer ends the text there.
//
// Without multiSelect the text up to the first NUL is the one name. With multiSelect the parts are separated
// by a NUL and the list ends at an empty part ("C:\Pics\0a.jpg\0b.jpg\0\0"), or, for old-style dialogs,
// by blanks up to the first NUL ("C:\PICS A.JPG B.JPG"). One part is the full name itself; with more, the
// first part is the folder and each further part is a name in it, unless it is already an absolute path
// ("\x" or "C:\x"). Without any part the result is one empty name. The first entry is the dialog's
// FileName, all of them its Files.
std::vector<AnsiString> DialogFileNames(std::string_view buffer, bool multiSelect, bool oldStyle);
std::vector<WideString> DialogFileNames(std::u16string_view buffer, bool multiSelect, bool oldStyle);
