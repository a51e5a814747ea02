// The texts the wide open and save dialogs exchange with the system, without the system: the filter list
// going in, the chosen names coming back, and the folder and extension rules.
//
// Threat model: the name buffer is written by the system dialog (and by whatever shell extensions run in
// it). It is read only up to the size the dialog was given, whether or not a terminator is there; a name
// that filled the buffer to its end is reported as cut, never taken as whole.
#pragma once
#include <string_view>
#include <vector>

#include "classlib/core/Types.h"

namespace uni {

// "Pictures|*.jpg|All|*.*" -> "Pictures\0*.jpg\0All\0*.*\0\0" (the result holds the final zeros; an empty
// filter gives an empty text).
WideString DialogFilterText(std::u16string_view filter);

// The names a dialog wrote into a buffer of bufferSize characters.
struct TDialogFileNames {
    // Full names, first chosen first (one empty entry when the dialog gave nothing).
    std::vector<WideString> files;
    // The buffer held no terminator of the list: the last name read may be cut.
    bool truncated = false;
};
// multiSelect: the buffer holds a folder and names (or one full name); separator: 0, or a blank for the
// old-style dialog.
TDialogFileNames ReadDialogFileNames(const char16_t* buffer, std::size_t bufferSize, bool multiSelect,
                                     char16_t separator);

// One trailing "\" is dropped, unless the value is one character or the "\" follows ":" ("C:\" stays).
WideString TrimInitialDir(std::u16string_view dir);

// The default extension of a dialog: defaultExt itself, or with an empty one and an old-style (not
// Explorer) dialog the extension of fileName without its dot.
WideString DialogDefaultExt(std::u16string_view defaultExt, std::u16string_view fileName, bool explorer);

// Whether name is absolute for the folder join of a multi-selection ("\..." or "X:\...").
bool IsAbsoluteDialogName(std::u16string_view name);

}  // namespace uni
