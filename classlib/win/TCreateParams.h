// What a windowed control asks the system for when it makes its window: filled by the control's CreateParams
// (each class adds its styles), then registered and created by CreateWnd. WinClassName names the class the
// window is made of; WindowClass describes it (its lpfnWndProc is the default procedure of the control: the
// plain default, or the procedure of a system class the control builds on).
#pragma once
#include "classlib/core/TColor.h"  // before the system headers, whose colour macros share its names
#include "classlib/win/Win32.h"

struct TCreateParams {
    const char* Caption = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSA WindowClass{};
    char WinClassName[64] = {};
};
