#include "themed/win/TSkinFloatingWindowParent.h"

#include "themed/core/SkinToolbarRules.h"
#include "themed/win/SkinNonClient.h"
#include "themed/win/TSkinNexus.h"
#include "toolbar/win/TTBCustomDockableWindow.h"

namespace {

constexpr int kCloseButtonHit = 2001;

}  // namespace

void TSkinFloatingWindowParent::DrawNCArea(bool drawToDC, HDC dc, HRGN clip, int parts) {
    TTBCustomDockableWindow* child = DockableWindow();
    if (!HandleAllocated() || !child || !SkinNexus()) return;
    skin::TSkinWindowFrameInfo frame;
    frame.ViewType = GetWinViewType(child);
    const TSize border = child->GetFloatingBorderSize();
    frame.BorderWidth = border.cx;
    frame.BorderHeight = border.cy;
    frame.ShowCaption = child->ShowCaption();
    const int close =
        skin::FloatingCloseButtonState(child->CloseButton(), child->ShowCaption(), closeButtonHot_, CloseButtonDown());
    skin::SetCloseButtonState(frame, close);
    frame.Caption = CaptionW();
    frame.Active = !child->CaptionInactive();
    skin::PaintFrame(Handle(), drawToDC, dc, clip,
                     [&](HDC target, const TRect& whole) { CurrentTheme().PaintFloatingBorder(target, whole, frame); });
}

void TSkinFloatingWindowParent::WMWindowPosChanging(TMessage& message) {
    DispatchInherited<TSkinFloatingWindowParent>(this, message);
    auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
    if (snapDistance_ <= 0 || (pos->flags & SWP_NOMOVE) || !HandleAllocated()) return;
    RECT current;
    ::GetWindowRect(Handle(), &current);
    // Only a move snaps: a resize keeps the edges where the user drags them.
    const bool keepsSize = (pos->flags & SWP_NOSIZE) ||
                           (pos->cx == current.right - current.left && pos->cy == current.bottom - current.top);
    if (!keepsSize) return;
    const int width = current.right - current.left, height = current.bottom - current.top;
    const RECT target{pos->x, pos->y, pos->x + width, pos->y + height};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(::MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST), &info)) return;
    const TRect work{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    const TRect snapped =
        skin::SnapToWorkArea(TRect{target.left, target.top, target.right, target.bottom}, work, snapDistance_);
    pos->x = snapped.Left;
    pos->y = snapped.Top;
}

void TSkinFloatingWindowParent::SetCloseButtonHot(bool value) {
    if (closeButtonHot_ == value) return;
    closeButtonHot_ = value;
    RedrawNCArea(kCloseButton);
}

void TSkinFloatingWindowParent::WMNCMouseMove(TMessage& message) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE | TME_NONCLIENT;
    track.hwndTrack = Handle();
    ::TrackMouseEvent(&track);
    SetCloseButtonHot(message.WParam == kCloseButtonHit);
    DispatchInherited<TSkinFloatingWindowParent>(this, message);
}

void TSkinFloatingWindowParent::WMNCMouseLeave(TMessage& message) {
    if (!::GetCapture()) SetCloseButtonHot(false);
    DispatchInherited<TSkinFloatingWindowParent>(this, message);
}

void TSkinFloatingWindowParent::WMMouseLeave(TMessage& message) {
    SetCloseButtonHot(false);
    DispatchInherited<TSkinFloatingWindowParent>(this, message);
}

void TSkinFloatingWindowParent::WMEraseBkgnd(TMessage& message) { message.Result = 1; }
