// Drives a modal window from inside its own message loop: a thread timer looks for a visible top-level
// window with the caption and, once it is there, runs the action on it once. A window that never comes is
// a failure; one the action leaves open is closed after the deadline so that a broken test ends.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/Win32.h"

namespace kelvotest {

class TWindowDriver {
public:
    // className: the window class to look for, or null for any.
    TWindowDriver(std::wstring caption, std::function<void(HWND)> action, const wchar_t* className = nullptr,
                  DWORD deadlineMs = 8000)
        : caption_(std::move(caption)), action_(std::move(action)), className_(className),
          deadline_(::GetTickCount() + deadlineMs) {
        timer_ = ::SetTimer(nullptr, 0, 30, &TWindowDriver::Tick);
        Drivers().push_back({timer_, this});
    }
    ~TWindowDriver() {
        ::KillTimer(nullptr, timer_);
        std::erase_if(Drivers(), [this](const auto& entry) { return entry.second == this; });
        EXPECT_TRUE(ran_) << "no window \"" << std::string(caption_.begin(), caption_.end()) << "\" came up";
        EXPECT_FALSE(expired_) << "the window stayed open past the deadline";
    }

private:
    // Several drivers may be waiting at once (a dialog and the box it raises): each timer finds its own.
    static std::vector<std::pair<UINT_PTR, TWindowDriver*>>& Drivers() {
        static std::vector<std::pair<UINT_PTR, TWindowDriver*>> drivers;
        return drivers;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
        TWindowDriver* self = nullptr;
        for (const auto& [id, driver] : Drivers())
            if (id == timer) self = driver;
        if (!self) return;
        const HWND window = ::FindWindowW(self->className_, self->caption_.c_str());
        if (window && ::IsWindowVisible(window) && !self->ran_ && !self->running_) {
            self->running_ = true;
            self->action_(window);
            self->running_ = false;
            self->ran_ = true;
        } else if (window && self->ran_ && int(::GetTickCount() - self->deadline_) > 0 && !self->expired_) {
            self->expired_ = true;
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }

    std::wstring caption_;
    std::function<void(HWND)> action_;
    const wchar_t* className_;
    DWORD deadline_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
    bool running_ = false;
    bool expired_ = false;
};

struct TChildWindow {
    HWND Window;
    std::wstring ClassName;
    std::wstring Text;
    RECT Client;  // in the parent's client coordinates
};

namespace detail {
struct TChildWalk {
    HWND parent;
    std::vector<TChildWindow>* out;
};
inline BOOL CALLBACK ChildWindowStep(HWND child, LPARAM data) {
    auto* walk = reinterpret_cast<TChildWalk*>(data);
    wchar_t cls[64]{};
    ::GetClassNameW(child, cls, 64);
    wchar_t text[256]{};
    ::GetWindowTextW(child, text, 256);
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, walk->parent, reinterpret_cast<POINT*>(&r), 2);
    walk->out->push_back({child, cls, text, r});
    return TRUE;
}
}  // namespace detail

// The direct and indirect children of parent, in z order.
inline std::vector<TChildWindow> ChildWindows(HWND parent) {
    std::vector<TChildWindow> children;
    detail::TChildWalk walk{parent, &children};
    ::EnumChildWindows(parent, &detail::ChildWindowStep, reinterpret_cast<LPARAM>(&walk));
    return children;
}

inline const TChildWindow* FindChild(const std::vector<TChildWindow>& children, const std::wstring& text) {
    for (const TChildWindow& child : children)
        if (child.Text == text) return &child;
    return nullptr;
}

}  // namespace kelvotest
