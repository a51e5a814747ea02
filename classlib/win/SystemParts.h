// Notices that a control's system-made child windows (a list view's header, a tab control's scroll arrows,
// a combo box's edit and list parts) send to the control's window. They are the system window's own
// business: passing them on as reflected notices to those children, as is done for child controls, would
// keep them from the system window.
#pragma once
#include "classlib/win/TWinControl.h"

// The window a parent notice (WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_DRAWITEM, WM_DELETEITEM,
// WM_COMPAREITEM) says it comes from; null for other messages or when it names none.
HWND NoticeSource(const TMessage& message);
// When message is such a notice from a window that is neither control's own nor a library control's, gives
// it to control's default handling and returns true.
bool PassSystemPartNotice(TWinControl* control, TMessage& message);
