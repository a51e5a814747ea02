// Dialogs of the program's window tests: the shared dialog driver under the name these tests know, and the
// child windows of a dialog with their classes, texts and places.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/Win32.h"
#include "tests/support/DialogDriver.h"

namespace kelvotest {

// Runs the action once on the visible top-level window of this thread with the caption (and className, null
// for any), from inside its modal loop; see testsupport::DialogDriver.
class TWindowDriver : public testsupport::DialogDriver {
public:
    TWindowDriver(std::wstring caption, std::function<void(HWND)> action, const wchar_t* className = nullptr,
                  DWORD deadlineMs = 2 * testsupport::kPumpTimeoutMs)
        : DialogDriver({std::move(caption), className ? className : L""}, std::move(action), 1, nullptr, deadlineMs) {}
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
