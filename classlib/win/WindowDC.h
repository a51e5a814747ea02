// A device context of a window, or of the whole screen, released when it goes.
//
//   const TWindowDC screen;                      // the screen's DC, for measuring
//   const TWindowDC frame(wnd, true);            // the DC of the whole window, frame included
//   std::optional<TWindowDC> own;                // a member that holds one at times:
//   own = TWindowDC::Ex(wnd, DCX_CACHE | DCX_CLIPSIBLINGS);   own.reset();
#pragma once
#include <utility>

#include "classlib/win/Win32.h"

class TWindowDC {
public:
    // The client area's DC of wnd (null: the screen); with wholeWindow the DC that includes the frame.
    explicit TWindowDC(HWND wnd = nullptr, bool wholeWindow = false)
        : wnd_(wnd), dc_(wholeWindow ? ::GetWindowDC(wnd) : ::GetDC(wnd)) {}
    // The DC GetDCEx gives for wnd with flags (DCX_CACHE, DCX_CLIPSIBLINGS, ...).
    static TWindowDC Ex(HWND wnd, DWORD flags) { return TWindowDC(wnd, ::GetDCEx(wnd, nullptr, flags)); }
    ~TWindowDC() { Release(); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    TWindowDC(TWindowDC&& other) noexcept : wnd_(other.wnd_), dc_(std::exchange(other.dc_, nullptr)) {}
    TWindowDC& operator=(TWindowDC&& other) noexcept {
        if (this != &other) {
            Release();
            wnd_ = other.wnd_;
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }

    HDC Get() const { return dc_; }
    HWND Window() const { return wnd_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    TWindowDC(HWND wnd, HDC dc) : wnd_(wnd), dc_(dc) {}
    void Release() {
        if (dc_) ::ReleaseDC(wnd_, dc_);
        dc_ = nullptr;
    }

    HWND wnd_;
    HDC dc_;
};
