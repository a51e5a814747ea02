// A drop of files as the shell makes it: a DROPFILES block in movable global memory, wide names, each ended
// by a zero and the list by another.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "classlib/core/Types.h"

namespace testsupport {

// The caller owns the handle (DragFinish or a WM_DROPFILES receiver frees it).
inline HDROP MakeFileDrop(const std::vector<WideString>& names) {
    std::u16string list;
    for (const WideString& n : names) list += n + u'\0';
    list += u'\0';
    const SIZE_T size = sizeof(DROPFILES) + list.size() * sizeof(char16_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(char16_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace testsupport
