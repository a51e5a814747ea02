#include "toolbar/win/CaptureLoop.h"

namespace tb {
namespace {

bool IsOtherButtonMessage(UINT m) {
    return m == WM_RBUTTONDOWN || m == WM_RBUTTONUP || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDOWN ||
           m == WM_MBUTTONUP || m == WM_MBUTTONDBLCLK;
}

}  // namespace

bool RunCaptureLoop(HWND capture, TLeftPress leftPress, const std::function<bool()>& going,
                    const std::function<bool(const MSG&)>& onKey, const std::function<void(const MSG&)>& onMove) {
    MSG msg;
    while (going() && ::GetCapture() == capture) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got == -1) return false;
        const UINT m = msg.message;
        if (m >= WM_KEYFIRST && m <= WM_KEYLAST) {
            if (onKey(msg)) return false;
            continue;
        }
        if (m == WM_MOUSEMOVE) {
            onMove(msg);
            continue;
        }
        if (m == WM_LBUTTONUP) return true;
        if (m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK) return leftPress == TLeftPress::Accepts;
        if (IsOtherButtonMessage(m)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return false;
}

}  // namespace tb
