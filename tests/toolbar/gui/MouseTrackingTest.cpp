#include <gtest/gtest.h>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/Win32.h"
#include "tests/support/MessagePump.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/WindowPainting.h"

namespace {

int g_leaves = 0;

LRESULT CALLBACK TrackedProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSELEAVE) ++g_leaves;
    return DefWindowProcA(w, msg, wp, lp);
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
    ASSERT_TRUE(testsupport::PumpQueued());
    ASSERT_TRUE(tb::CallTrackMouseEvent(w, TME_LEAVE));
    SetCursorPos(400, 400);
    // The system looks at the pointer on a timer.
    ASSERT_TRUE(testsupport::WaitFor("the leave message", [] { return g_leaves > 0; }));
    testsupport::PumpFor(100);  // proves that no second one comes
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
