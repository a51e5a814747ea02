// The mouse: pointer position and capture.
#pragma once
#include "classlib/core/Geometry.h"
#include "classlib/core/TColor.h"  // before the system headers, whose colour macros share its names
#include "classlib/core/TObject.h"
#include "classlib/win/Win32.h"

class TMouse : public TObject {
    CLASSLIB_CLASS(TMouse, TObject)

    TMouse() = default;

    // The pointer position in screen coordinates.
    TPoint CursorPos() const;
    // Moves the pointer; raises EOSError when the system refuses.
    void SetCursorPos(TPoint value);
    // The window of this thread that captures the mouse, or 0.
    HWND Capture() const;
    // Captures the mouse for window (0 releases it).
    void SetCapture(HWND window);
    bool MousePresent() const;
    // Lines to scroll per wheel notch.
    int WheelScrollLines() const;
};

extern TMouse* Mouse;
