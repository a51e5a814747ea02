#include "scan/win/TTwnWinGlobalMemory.h"

#include "classlib/win/Win32.h"

namespace {

HGLOBAL ToHandle(TTwnHandle handle) { return reinterpret_cast<HGLOBAL>(handle); }

}  // namespace

TTwnHandle TTwnWinGlobalMemory::Alloc(std::size_t size) {
    return reinterpret_cast<TTwnHandle>(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
}

void* TTwnWinGlobalMemory::Lock(TTwnHandle handle) { return handle ? GlobalLock(ToHandle(handle)) : nullptr; }

void TTwnWinGlobalMemory::Unlock(TTwnHandle handle) {
    if (handle) GlobalUnlock(ToHandle(handle));
}

void TTwnWinGlobalMemory::Free(TTwnHandle handle) {
    if (handle) GlobalFree(ToHandle(handle));
}

std::size_t TTwnWinGlobalMemory::Size(TTwnHandle handle) { return handle ? GlobalSize(ToHandle(handle)) : 0; }
