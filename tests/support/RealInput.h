// Real keyboard and pointer input for window tests: SendInput, so that keys and clicks take the system's own
// path (focus, capture, the menu keys) to whatever window is there, exactly as a user's would.
#pragma once
#include <windows.h>

#include "classlib/core/Geometry.h"

namespace testsupport {

inline void SendKey(WORD vk, bool up = false) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}
inline void Press(WORD vk) {
    SendKey(vk);
    SendKey(vk, true);
}
inline void PressWith(WORD modifier, WORD vk) {
    SendKey(modifier);
    Press(vk);
    SendKey(modifier, true);
}

// A pointer move to the screen point, in the absolute units SendInput takes.
inline INPUT PointerMove(TPoint p) {
    INPUT input{};
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((p.X * 65535 + cx / 2) / (cx - 1));
    input.mi.dy = static_cast<LONG>((p.Y * 65535 + cy / 2) / (cy - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}
inline void MoveTo(TPoint p) {
    ::SetCursorPos(p.X, p.Y);
    INPUT input = PointerMove(p);
    ::SendInput(1, &input, sizeof(INPUT));
}
inline void ClickAt(TPoint p) {
    ::SetCursorPos(p.X, p.Y);
    INPUT input[3]{};
    input[0] = PointerMove(p);
    input[1].type = input[2].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, input, sizeof(INPUT));
}

}  // namespace testsupport
