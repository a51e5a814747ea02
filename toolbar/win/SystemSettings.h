// The system settings that menus and toolbars follow, the monitor areas they stay within, and two message
// queue helpers that keep a pending WM_QUIT.
#pragma once
#include <string_view>

#include "classlib/win/Win32.h"

namespace tb {

// The NT family (the wide system entry points are complete there).
bool IsWindowsNT();

// Milliseconds before a submenu opens: the system's value (negative taken as 0), else the user's registry
// value read once (see MenuShowDelayFromRegistry).
int GetMenuShowDelay();
// Windows XP's flat menus are on.
bool AreFlatMenusEnabled();
// Underlines of accelerators are shown without Alt being pressed (also when the system cannot say).
bool AreKeyboardCuesEnabled();
// Whether the user's sound scheme has a sound for the event (menus use "MenuCommand" and "MenuPopup").
bool NeedToPlaySound(std::string_view eventName);

// The work area (workArea) or whole area of the monitor nearest to a rectangle, a point or a window; the
// primary screen's when there is one monitor or the monitor functions are missing.
RECT GetWorkArea(bool workArea, const RECT& place);
RECT GetWorkArea(bool workArea, POINT place);
RECT GetWorkArea(bool workArea, HWND place);

// Asks for WM_MOUSELEAVE or WM_MOUSEHOVER (TME_ flags) with user32's TrackMouseEvent, else comctl32's;
// false when neither exists or the call fails.
bool CallTrackMouseEvent(HWND window, DWORD flags);

// Dispatches the pending WM_PAINT messages of the thread now; a WM_QUIT met on the way is posted again.
void ProcessPaintMessages();
// Discards the thread's pending messages first..last; a WM_QUIT met on the way is posted again.
void RemoveMessages(UINT first, UINT last);

}  // namespace tb
