// A device context of a window, or of the whole screen, released when it goes.
#pragma once
#include "classlib/win/Win32.h"

class TWindowDC {
public:
    // The client area's DC of wnd (null: the screen); with wholeWindow the DC that includes the frame.
    explicit TWindowDC(HWND wnd = nullptr, bool wholeWindow = false)
        : wnd_(wnd), dc_(wholeWindow ? ::GetWindowDC(wnd) : ::GetDC(wnd)) {}
    ~TWindowDC() {
        if (dc_) ::ReleaseDC(wnd_, dc_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND wnd_;
    HDC dc_;
};
