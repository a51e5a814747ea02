#include "demo/win/TKelvoBalloon.h"

#include "classlib/win/GdiHandle.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TFont.h"
#include "unicode/win/UniControls.h"
#include "unicode/win/WideFiles.h"

namespace {

TRect MonitorAt(TPoint point) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromPoint(POINT{point.X, point.Y}, MONITOR_DEFAULTTONEAREST), &info)) {
        return Rect(info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom);
    }
    return Rect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace

void TKelvoBalloon::CreateParams(TCreateParams& params) {
    TUniHintWindow::CreateParams(params);
    // The outline is painted along the region; a window border would be cut off by it.
    params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void TKelvoBalloon::ShowAt(std::int32_t x, std::int32_t y, std::int32_t corner, const WideString& text) {
    ReleaseHandle();
    // Owned by the application window, so that it never shows on the task bar and goes with the application.
    if (Application && Application->Handle()) SetParentWindow(Application->Handle());
    uni::SetControlWideText(this, text);
    const TRect measured = MeasureWideHint(kMaxTextWidth, text);
    layout_ = LayoutBalloon(TSize{measured.Width(), measured.Height()}, Point(x, y), corner, MonitorAt(Point(x, y)));
    SetBoundsRect(layout_.Window);
    HWND wnd = Handle();

    const TRect& body = layout_.Body;
    TGdiHandle<HRGN> region(::CreateRoundRectRgn(body.Left, body.Top, body.Right, body.Bottom, 16, 16));
    POINT tail[3];
    for (int i = 0; i < 3; ++i) tail[i] = POINT{layout_.Tail[std::size_t(i)].X, layout_.Tail[std::size_t(i)].Y};
    const TGdiHandle<HRGN> tailRegion(::CreatePolygonRgn(tail, 3, WINDING));
    ::CombineRgn(region.Get(), region.Get(), tailRegion.Get(), RGN_OR);
    // From here on the region belongs to the window, which frees it when it is destroyed.
    if (::SetWindowRgn(wnd, region.Get(), FALSE)) region.Release();

    SetVisible(true);
    ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::InvalidateRect(wnd, nullptr, TRUE);
    ::UpdateWindow(wnd);
}

void TKelvoBalloon::Paint() {
    HWND wnd = WindowHandle();
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(clInfoText);
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    HDC dc = canvas->Handle();

    const TGdiHandle<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(wnd, region.Get()) != ERROR) {
        const TGdiHandle<HBRUSH> ink(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clInfoText))));
        ::FrameRgn(dc, region.Get(), ink.Get(), 1, 1);
    }
    ::SetBkMode(dc, TRANSPARENT);
    RECT text{layout_.Text.Left, layout_.Text.Top, layout_.Text.Right, layout_.Text.Bottom};
    uni::SwitchDrawText(dc, uni::GetControlWideText(this), -1, text, DT_WORDBREAK | DT_NOPREFIX);
}
