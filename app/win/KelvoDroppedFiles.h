// What the shell hands over when files are dropped on a window.
#pragma once
#include <optional>

#include "classlib/core/Types.h"
#include "classlib/win/Win32.h"

namespace kelvo {

// The whole name of the first dropped file, however long: its length is asked first, so a long name is never
// cut to one that may name another file. None when the drop holds no file or its name cannot be read.
std::optional<WideString> FirstDroppedFileName(HDROP drop);

}  // namespace kelvo
