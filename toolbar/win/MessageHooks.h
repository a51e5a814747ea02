// Per-thread message hooks through which dockable windows and menus learn of activation, window moves,
// window destruction and retrieved messages. Owners register hook procedures for kinds of event; the thread
// has one system hook of each type while some registered kind needs it (toolbar/core/HookTable.h).
//
//   tb::InstallHookProc(this, &FloatingWindowHook, {hkWMActivate, hkCBTDestroy});
//   ...
//   tb::UninstallHookProc(this, &FloatingWindowHook);
//
// A procedure receives the kind, the window concerned and the event's parameters: for the three
// window-procedure kinds the message's wParam and lParam, for hkCBTDestroy the window as wParam, for
// hkGetMessage the hook's wParam (PM_REMOVE or PM_NOREMOVE) and a pointer to the MSG as lParam. An exception
// a procedure raises is dropped; every event goes on to the next hook. Procedures may install and uninstall
// (their own or others') while they run.
#pragma once
#include "classlib/win/Win32.h"
#include "toolbar/core/HookTable.h"

using TTBHookProc = void (*)(TTBHookKind kind, HWND window, WPARAM wParam, LPARAM lParam);

namespace tb {

// Adds kinds to what owner registered proc for on the calling thread.
void InstallHookProc(const void* owner, TTBHookProc proc, TTBHookKinds kinds);
// Takes back owner's registration of proc on the calling thread.
void UninstallHookProc(const void* owner, TTBHookProc proc);
// The system hooks installed for the calling thread (for tests).
TTBSystemHooks InstalledSystemHooks();

}  // namespace tb
