#include "app/win/KelvoDroppedFiles.h"
#include "classlib/win/WideChars.h"

#include <shellapi.h>

namespace kelvo {

std::optional<WideString> FirstDroppedFileName(HDROP drop) {
    const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
    if (length == 0) return std::nullopt;
    WideString name(length, u'\0');
    // The buffer's size counts the terminator.
    if (::DragQueryFileW(drop, 0, WideBuffer(name), length + 1) != length) return std::nullopt;
    return name;
}

}  // namespace kelvo
