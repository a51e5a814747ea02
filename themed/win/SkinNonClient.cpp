#include "themed/win/SkinNonClient.h"

#include "toolbar/win/WindowPainting.h"

TRect skin::ClientRectInWindow(HWND window) {
    RECT wr, cr;
    ::GetWindowRect(window, &wr);
    ::GetClientRect(window, &cr);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    const int x = origin.x - wr.left, y = origin.y - wr.top;
    return TRect{x, y, x + cr.right, y + cr.bottom};
}

TRect skin::ClipToFrame(HWND window, HDC dc, HRGN clip, bool drawToDC) {
    if (!drawToDC) tb::SelectNCUpdateRgn(window, dc, clip);
    RECT wr;
    ::GetWindowRect(window, &wr);
    const TRect client = ClientRectInWindow(window);
    ::ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
    return TRect{0, 0, wr.right - wr.left, wr.bottom - wr.top};
}
