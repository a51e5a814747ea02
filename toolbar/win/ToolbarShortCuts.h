// Item shortcuts for a whole form, and the keys a menu bar needs from outside its own window.
//
// Toolbars that process shortcuts (ProcessShortCuts or MenuBar, at run time) register here; while any is
// registered the application's main window is hooked with ToolbarAppHook:
//   - CM_APPKEYDOWN (a key-down nothing else took): the toolbars of the active MDI child, then of the active
//     form, then of the main form are asked in registration order, each while its form's window is enabled
//     (a modal dialog disables it): OnShortCut first, then the shortcut run of its items; the first one that
//     handles the key ends the search, so a shortcut runs one item once.
//   - CM_APPSYSCOMMAND (a form's system command): the active form's menu-event controls (menu bars, docks)
//     get WM_SYSCOMMAND in depth-first order until one answers non-zero; so Alt, F10 and Alt+letter reach the
//     menu bar as SC_KEYMENU.
// A menu bar also watches the retrieved messages (ToolbarHookProc): WM_SYSCHAR aimed at the main form's MDI
// client window, or "-" aimed at a window inside it, goes to the main form instead, so that Alt+letter typed
// there reaches the menu bar.
#pragma once
#include <vector>

#include "classlib/core/Messages.h"
#include "classlib/core/TShortCut.h"
#include "classlib/win/Win32.h"
#include "toolbar/core/HookTable.h"

class TTBCustomToolbar;

namespace tb {

// Puts the toolbar into the list or takes it out (nothing when it already is, or is not, there).
void SetShortCutRegistration(TTBCustomToolbar* toolbar, bool registered);
// The registered toolbars, in registration order.
const std::vector<TTBCustomToolbar*>& RegisteredToolbars();
// Whether the application's main window is hooked.
bool AppHookInstalled();

// The hook the registration installs (returns true when it handled the message).
bool ToolbarAppHook(TMessage& message);

// The shortcut of a key message: its character code with the shift state of its key data.
TShortCut ShortCutOfKeyMessage(const TMessage& message);

// The retrieved-message hook of menu bars (hkGetMessage).
void ToolbarHookProc(TTBHookKind kind, HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace tb
