#include "classlib/win/TMouse.h"

#include "classlib/core/FileSystem.h"

TMouse* Mouse = nullptr;

TPoint TMouse::CursorPos() const {
    POINT p{};
    ::GetCursorPos(&p);
    return TPoint{p.x, p.y};
}

void TMouse::SetCursorPos(TPoint value) {
    if (!::SetCursorPos(value.X, value.Y)) {
        const DWORD error = ::GetLastError();
        throw EOSError("Cannot move the mouse pointer: " + SysErrorMessage(error), error);
    }
}

HWND TMouse::Capture() const { return ::GetCapture(); }

void TMouse::SetCapture(HWND window) {
    if (window)
        ::SetCapture(window);
    else
        ::ReleaseCapture();
}

bool TMouse::MousePresent() const { return ::GetSystemMetrics(SM_MOUSEPRESENT) != 0; }

int TMouse::WheelScrollLines() const {
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return static_cast<int>(lines);
}
