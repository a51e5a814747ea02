// The one guarded call into the source manager's entry point. The manager (and the data source it calls) is
// foreign code in our process: a processor fault inside it (an access violation, an illegal instruction, a
// division by zero) must not end the program. The fault is caught on the calling thread, the call's stack is
// abandoned, and the call answers TWRC_MANAGERFAULT (33668). Exceptions that code raises and handles for itself
// (C++ exceptions, debugger notices) pass on untouched.
#pragma once
#include "classlib/win/Win32.h"
#include "scan/core/TwnProtocol.h"

using TDSMEntryProc = std::uint16_t(WINAPI*)(TW_IDENTITY* origin, TW_IDENTITY* destination, std::uint32_t dg,
                                             std::uint16_t dat, std::uint16_t msg, TW_MEMREF data);

namespace twn {

std::uint16_t GuardedDSMCall(TDSMEntryProc entry, TW_IDENTITY* origin, TW_IDENTITY* destination, std::uint32_t dg,
                             std::uint16_t dat, std::uint16_t msg, TW_MEMREF data);

}  // namespace twn
