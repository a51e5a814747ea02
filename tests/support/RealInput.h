// Real keyboard and pointer input for window tests: SendInput, so that keys and clicks take the system's own
// path (focus, capture, the menu keys) to whatever window is there, exactly as a user's would. Input goes into
// the queue at once; a test then waits for the state it brings (tests/support/MessagePump.h).
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "classlib/core/Geometry.h"
#include "tests/support/MessagePump.h"

namespace testsupport {

// A key going down or up, for SendKey or for a sequence sent at once.
inline INPUT KeyInput(WORD vk, bool up = false) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}
inline void SendKey(WORD vk, bool up = false) {
    INPUT input = KeyInput(vk, up);
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
// A key stroke that types the UTF-16 unit, whatever the keyboard layout.
inline void TypeUnicode(wchar_t unit) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wScan = static_cast<WORD>(unit);
        key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

// A pointer move to the screen point, in the absolute units SendInput takes; extraFlags adds a button's change
// at that point (MOUSEEVENTF_LEFTDOWN, ...).
inline INPUT PointerMove(TPoint p, DWORD extraFlags = 0) {
    INPUT input{};
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((p.X * 65535 + cx / 2) / (cx - 1));
    input.mi.dy = static_cast<LONG>((p.Y * 65535 + cy / 2) / (cy - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | extraFlags;
    return input;
}
// The pointer to the point, with the button change of extraFlags there.
inline void SendPointer(TPoint p, DWORD extraFlags = 0) {
    INPUT input = PointerMove(p, extraFlags);
    ::SendInput(1, &input, sizeof(INPUT));
}
inline void MoveTo(TPoint p) {
    ::SetCursorPos(p.X, p.Y);
    SendPointer(p);
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

// Waits until the thread of the window has gone round its message loop twice, from another thread: input
// queued before the call has then been taken and handled, or the loop its handling started is running.
inline bool WaitUntilHandled(HWND window, DWORD timeoutMs = kPumpTimeoutMs) {
    DWORD_PTR result = 0;
    for (int round = 0; round < 2; ++round)
        if (!::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result)) return false;
    return true;
}

// Presses the left button at the first point, moves through the others and releases at the last, as real
// input from another thread, each step once the previous one is handled by the thread of window; meanwhile the
// calling thread (window's) handles messages through step, so the press may run a modal loop of its own.
// Returns whether every step was handled in time.
inline bool DragAlong(const std::vector<TPoint>& points, HWND window,
                      const MessageStep& step = DispatchThreadMessages) {
    std::atomic<bool> done{false}, handled{true};
    std::thread sender([&] {
        auto send = [&](TPoint at, DWORD flags) {
            SendPointer(at, flags);
            if (!WaitUntilHandled(window)) handled = false;
        };
        send(points.front(), 0);
        send(points.front(), MOUSEEVENTF_LEFTDOWN);
        for (std::size_t i = 1; i < points.size(); ++i) send(points[i], 0);
        send(points.back(), MOUSEEVENTF_LEFTUP);
        done = true;
    });
    const bool finished = WaitFor(
        "the drag's input to be handled", [&] { return done.load(); },
        static_cast<DWORD>(points.size() + 3) * kPumpTimeoutMs, step);
    sender.join();
    return finished && handled;
}

}  // namespace testsupport
