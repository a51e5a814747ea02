// Runs a check from inside a running menu loop: a thread timer, which the loop dispatches, calls it once and
// then ends the loop when the check left it running.
//
//   EXPECT_TRUE(toolbartest::CheckInMenuLoop(view, viewer, 30, [&] { ... the popup is open here ... }));
#pragma once
#include <functional>

#include "classlib/win/Win32.h"
#include "toolbar/win/TTBView.h"

namespace toolbartest {

struct InLoop {
    static inline InLoop* current = nullptr;
    std::function<void()> check;
    TTBView* root = nullptr;
    bool ran = false;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        InLoop& self = *current;
        self.ran = true;
        self.check();
        if (!self.root->IsModalEnding()) self.root->EndModal();
    }
};

// Selects viewer in view, runs the loop with its menu opened (options 2) and check after delayMs; returns
// whether the check ran.
inline bool CheckInMenuLoop(TTBView* view, TTBItemViewer* viewer, UINT delayMs, std::function<void()> check) {
    InLoop loop;
    loop.check = std::move(check);
    loop.root = view;
    InLoop::current = &loop;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, delayMs, &InLoop::Tick);
    view->Select(viewer, false);
    view->RunMenuLoop(2);
    ::KillTimer(nullptr, timer);
    InLoop::current = nullptr;
    return loop.ran;
}

}  // namespace toolbartest
