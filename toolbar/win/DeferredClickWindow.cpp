// Windows half of the deferred clicks: one hidden window per thread, made when the first click is posted and
// destroyed with the thread's last item or viewer. Its procedure is a plain function (no object thunk), so
// the window may go while its own message is being handled: a click that frees the last user only asks for
// the window to go, and the window goes once the message is done.
#include "classlib/core/CallbackExceptions.h"
#include "classlib/win/Win32.h"
#include "toolbar/core/DeferredClicks.h"

namespace tb {

namespace {

constexpr char kClassName[] = "TBDeferredClickWindow";

thread_local HWND t_window = nullptr;
thread_local int t_handling = 0;           // messages of the window being handled
thread_local bool t_releaseAfter = false;  // the last user went while one was

void DestroyWindowNow() {
    HWND window = t_window;
    t_window = nullptr;
    t_releaseAfter = false;
    if (window) ::DestroyWindow(window);
}

LRESULT CALLBACK DeferredClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kDeferredClickMessage || window != t_window)
        return ::DefWindowProcA(window, message, wParam, lParam);
    ++t_handling;
    try {
        RunDeferredClick(static_cast<std::intptr_t>(lParam));
    } catch (...) {
        HandleCallbackException(nullptr);
    }
    if (--t_handling == 0 && t_releaseAfter) DestroyWindowNow();
    return 0;
}

bool RegisterWindowClass() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DeferredClickProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND ThreadWindow() {
    // The class serves every thread; the first thread to need it registers it, the others wait for that.
    static const bool registered = RegisterWindowClass();
    if (t_window || !registered) return t_window;
    t_window = ::CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                                 nullptr);
    return t_window;
}

}  // namespace

bool detail::PostDeferredClickMessage(std::intptr_t slot) {
    HWND window = ThreadWindow();
    return window && ::PostMessageA(window, kDeferredClickMessage, 0, static_cast<LPARAM>(slot));
}

void detail::ReleaseDeferredClickWindow() {
    if (t_handling > 0) {
        t_releaseAfter = true;
        return;
    }
    DestroyWindowNow();
}

void DeliverPostedClicks() {
    MSG msg;
    while (t_window && ::PeekMessageA(&msg, t_window, kDeferredClickMessage, kDeferredClickMessage, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

}  // namespace tb
