#include <gtest/gtest.h>

#include "classlib/gui/GraphicsTestSupport.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/Win32.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/WindowPainting.h"

namespace {

int g_leaves = 0;

LRESULT CALLBACK TrackedProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSELEAVE) ++g_leaves;
    return DefWindowProcA(w, msg, wp, lp);
}

// Runs the message loop for ms milliseconds, or until done says so.
template <class Done>
void PumpFor(DWORD ms, Done done) {
    const DWORD until = GetTickCount() + ms;
    MSG msg;
    while (GetTickCount() < until && !done()) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

}  // namespace

TEST(MouseTracking, LeavingTheWindowIsReported) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TrackedProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TBTrackedWindow";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(WS_EX_TOPMOST, "TBTrackedWindow", "", WS_POPUP | WS_VISIBLE, 100, 100, 80, 80, nullptr,
                             nullptr, wc.hInstance, nullptr);
    SetCursorPos(140, 140);
    PumpFor(100, [] { return false; });
    ASSERT_TRUE(tb::CallTrackMouseEvent(w, TME_LEAVE));
    SetCursorPos(400, 400);
    // The system looks at the pointer on a timer.
    PumpFor(3000, [] { return g_leaves > 0; });
    PumpFor(100, [] { return false; });
    EXPECT_EQ(g_leaves, 1);
    DestroyWindow(w);
}

TEST(NCUpdateRegion, TheScreenRegionClipsInWindowCoordinates) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 50, 80, 80, nullptr, nullptr, nullptr, nullptr);
    graphicstest::Surface surface(200, 200);
    HDC dc = surface.Dc();
    RECT box{};
    tb::SelectNCUpdateRgn(w, dc, reinterpret_cast<HRGN>(1));  // the whole window: the DC stays unclipped
    EXPECT_EQ(GetClipRgn(dc, TGdiHandle<HRGN>(CreateRectRgn(0, 0, 0, 0)).Get()), 0);
    TGdiHandle<HRGN> update(CreateRectRgn(110, 70, 130, 75));
    tb::SelectNCUpdateRgn(w, dc, update.Get());
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 20);
    EXPECT_EQ(box.right, 30);
    EXPECT_EQ(box.bottom, 25);
    DestroyWindow(w);
}
