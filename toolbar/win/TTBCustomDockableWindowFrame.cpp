// The dockable window's frame: non-client metrics and hit codes, and the docked frame's painting.
#include "toolbar/win/TTBCustomDockableWindow.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/MemoryDC.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/WindowDC.h"
#include "toolbar/core/WideStringValues.h"
#include "toolbar/win/FloatingWindows.h"
#include "toolbar/win/MessageHooks.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBDock.h"
#include "toolbar/win/TTBFloatingWindowParent.h"
#include "toolbar/win/WindowPainting.h"
#include "toolbar/win/WindowRects.h"

using tb::FromRECT;
using tb::PointOfLParam;
using tb::ScreenRectOf;
using tb::ToRECT;

// ---- Non-client metrics and hit codes ----

tb::TNCExtents TTBCustomDockableWindow::GetDockedNCArea() {
    if (!docked_ || !currentDock_) return tb::TNCExtents{};
    return tb::DockedNCExtents(currentDock_->Position(), currentDock_->AllowDrag(), dragHandleStyle_,
                               closeButtonWhenDocked_);
}

TSize TTBCustomDockableWindow::GetFloatingBorderSize() {
    if (resizable_) return TSize{::GetSystemMetrics(SM_CXSIZEFRAME), ::GetSystemMetrics(SM_CYSIZEFRAME)};
    return TSize{::GetSystemMetrics(SM_CXFIXEDFRAME), ::GetSystemMetrics(SM_CYFIXEDFRAME)};
}

bool TTBCustomDockableWindow::CanDockTo(TTBDock* dock) { return dockableTo_.Contains(dock->Position()); }

void TTBCustomDockableWindow::ControlExistsAtPos(TPoint point, bool& exists) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible() && c->BoundsRect().Contains(point)) {
            exists = true;
            return;
        }
    }
}

TRect TTBCustomDockableWindow::GetDockedCloseButtonRect(bool leftRight) {
    return tb::DockedCloseButtonRect(leftRight ? dpLeft : dpTop, dragHandleStyle_, ClientWidth());
}

bool TTBCustomDockableWindow::IsMovable() {
    return (docked_ && currentDock_ && currentDock_->AllowDrag()) || floating_;
}

void TTBCustomDockableWindow::WMNCCalcSize(TMessage& message) {
    message.Result = 0;
    if (!docked_) return;
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    const tb::TNCExtents e = GetDockedNCArea();
    RECT& r = params->rgrc[0];
    r.left += e.TopLeft.cx;
    r.top += e.TopLeft.cy;
    r.right -= e.BottomRight.cx;
    r.bottom -= e.BottomRight.cy;
}

void TTBCustomDockableWindow::WMNCHitTest(TMessage& message) {
    DispatchInherited<TTBCustomDockableWindow>(this, message);
    if (!docked_ || message.Result == HTCLIENT) return;
    const TRect wr = ScreenRectOf(Handle());
    const TPoint p = PointOfLParam(message.LParam);
    const TPoint local = Point(p.X - wr.Left, p.Y - wr.Top);
    if (closeButtonWhenDocked_ && currentDock_->AllowDrag() &&
        GetDockedCloseButtonRect(currentDock_->IsVertical()).Contains(local)) {
        message.Result = tb::kHitCloseButton;
        return;
    }
    message.Result = tb::kHitDragHandle;
}

void TTBCustomDockableWindow::WMSetCursor(TMessage& message) {
    if (docked_ && currentDock_->AllowDrag() && LOWORD(message.LParam) == tb::kHitDragHandle &&
        dragHandleStyle_ != dhNone) {
        POINT p;
        ::GetCursorPos(&p);
        const TRect wr = ScreenRectOf(Handle());
        const int handle = tb::DragHandleMetrics(dragHandleStyle_, closeButtonWhenDocked_).Size;
        const int offset = currentDock_->IsVertical() ? p.y - wr.Top : p.x - wr.Left;
        if (offset < handle + 2) {
            ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEALL)));
            message.Result = 1;
            return;
        }
    }
    DispatchInherited<TTBCustomDockableWindow>(this, message);
}

void TTBCustomDockableWindow::WMNCLButtonDown(TMessage& message) {
    const int hit = static_cast<int>(message.WParam);
    if (hit == tb::kHitDragHandle && IsMovable()) {
        POINT p{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
        ::ScreenToClient(Handle(), &p);
        BeginMoving(p.x, p.y);
        message.Result = 0;
        return;
    }
    if (hit == tb::kHitCloseButton && docked_) {
        if (TrackCloseButton(false)) Close();
        message.Result = 0;
        return;
    }
    DispatchInherited<TTBCustomDockableWindow>(this, message);
}

void TTBCustomDockableWindow::WMNCLButtonDblClk(TMessage& message) {
    if (static_cast<int>(message.WParam) == tb::kHitDragHandle && IsMovable()) {
        DoubleClick();
        message.Result = 0;
        return;
    }
    DispatchInherited<TTBCustomDockableWindow>(this, message);
}

void TTBCustomDockableWindow::WMLButtonDown(TMessage& message) {
    if (!IsMovable()) {
        DispatchInherited<TTBCustomDockableWindow>(this, message);
        return;
    }
    const TPoint p = PointOfLParam(message.LParam);
    bool exists = false;
    ControlExistsAtPos(p, exists);
    if (exists) {
        DispatchInherited<TTBCustomDockableWindow>(this, message);
        return;
    }
    if (message.Msg == WM_LBUTTONDBLCLK) {
        DoubleClick();
        return;
    }
    // The loop may end with the window gone; the release that follows it goes to a live window only.
    const std::shared_ptr<bool> alive = alive_;
    BeginMoving(p.X, p.Y);
    if (!*alive) return;
    if (HandleAllocated()) ::SendMessageA(Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
}

void TTBCustomDockableWindow::WMNCRButtonUp(TMessage& message) {
    ::SendMessageA(Handle(), WM_CONTEXTMENU, 0, message.LParam);
    message.Result = 0;
}

void TTBCustomDockableWindow::WMNCMouseMove(TMessage& message) {
    DispatchInherited<TTBCustomDockableWindow>(this, message);
    tb::CallTrackMouseEvent(Handle(), TME_LEAVE | TME_NONCLIENT);
    SetCloseButtonState(static_cast<int>(message.WParam) == tb::kHitCloseButton, closePressed_);
}

void TTBCustomDockableWindow::WMNCMouseLeave(TMessage& message) {
    if (::GetCapture() != Handle()) SetCloseButtonState(false, closePressed_);
    DispatchInherited<TTBCustomDockableWindow>(this, message);
}

void TTBCustomDockableWindow::WMMouseMove(TMessage& message) {
    SetCloseButtonState(false, closePressed_);
    DispatchInherited<TTBCustomDockableWindow>(this, message);
}

void TTBCustomDockableWindow::CMMouseLeave(TMessage& message) {
    SetCloseButtonState(false, closePressed_);
    DispatchInherited<TTBCustomDockableWindow>(this, message);
}

void TTBCustomDockableWindow::SetCloseButtonState(bool hot, bool pressed) {
    if (hot == closeHot_ && pressed == closePressed_) return;
    closeHot_ = hot;
    closePressed_ = pressed;
    RedrawNCArea();
}

// ---- Docked non-client painting ----

void TTBCustomDockableWindow::RedrawNCArea() {
    if (HandleAllocated() && ::IsWindowVisible(Handle())) DrawNCArea(false, nullptr, nullptr);
}

void TTBCustomDockableWindow::DrawNCArea(bool drawToDC, HDC dc, HRGN clip) {
    if (!docked_ || !HandleAllocated()) return;
    std::unique_ptr<TWindowDC> own;
    if (!drawToDC) {
        own = std::make_unique<TWindowDC>(Handle(), true);
        dc = own->Get();
        tb::SelectNCUpdateRgn(Handle(), dc, clip);
    }
    DrawDockedNC(dc);
}

namespace {

// The raised bars of a docked window's drag handle, across its length, each taken out of the clip after it.
void DrawDragHandleBars(HDC dc, TTBDragHandleStyle style, bool closeButton, bool vertical, int length,
                        const tb::TDragHandleMetrics& handle) {
    const int bars = style == dhDouble ? 2 : 1;
    const int inset = style == dhSingle ? 1 : 0;
    int from = 2 + inset, to = length - inset;
    if (closeButton) {
        if (vertical)
            to = length - (handle.Size - 2) - inset;
        else
            from = handle.Size + inset;
    }
    for (int b = 0; b < bars; ++b) {
        const int across = handle.FirstBarOffset + 2 + 3 * b;
        RECT bar = vertical ? RECT{from, across, to, across + 3} : RECT{across, from, across + 3, to};
        ::DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        if (vertical)
            ::SetPixel(dc, bar.right - 1, bar.top, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        else
            ::SetPixel(dc, bar.left, bar.bottom - 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::ExcludeClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
    }
}

// The docked close button: filled with fill (none: the background shows), its pressed or hot edge, and the
// 8 x 8 cross in the button text colour, one pixel down and right while pressed.
void DrawDockedCloseButton(HDC dc, RECT button, bool pressed, bool hot, HBRUSH fill) {
    if (fill) ::FillRect(dc, &button, fill);
    if (pressed)
        ::DrawEdge(dc, &button, BDR_SUNKENOUTER, BF_RECT);
    else if (hot)
        ::DrawEdge(dc, &button, BDR_RAISEDINNER, BF_RECT);
    // Set bits of the cross are painted, the rest left as it is.
    static const WORD glyph[8] = {0x00, 0xCC, 0x78, 0x30, 0x78, 0xCC, 0x00, 0x00};
    WORD bits[8];
    for (int i = 0; i < 8; ++i) bits[i] = static_cast<WORD>(~(glyph[i] << 8) & 0xFF00);
    const TGdiHandle<HBITMAP> mono(::CreateBitmap(8, 8, 1, 1, bits));
    const TMemoryDC memory(mono.Get(), dc);
    const int shift = pressed ? 1 : 0;
    const int x = button.left + 2 + shift + (button.right - button.left - 4 - 8) / 2;
    const int y = button.top + 2 + shift + (button.bottom - button.top - 4 - 8) / 2;
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetSysColorBrush(COLOR_BTNTEXT));
    ::BitBlt(dc, x, y, 8, 8, memory.Get(), 0, 0, 0xE20746);
    ::SelectObject(dc, oldBrush);
    ::SetBkColor(dc, oldBack);
    ::SetTextColor(dc, oldText);
}

}  // namespace

void TTBCustomDockableWindow::DrawDockedNC(HDC dc) {
    const TRect wr = ScreenRectOf(Handle());
    RECT r{0, 0, wr.Width(), wr.Height()};
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
    const bool background = currentDock_->UsingBackground() && currentDock_->BackgroundOnToolbars();
    const int saved = ::SaveDC(dc);
    TScopeExit restore([&] { ::RestoreDC(dc, saved); });
    if (borderStyle_ == dbsSingle)
        ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    else
        ::FrameRect(dc, &r, brush.Get());
    RECT second{1, 1, r.right - 1, r.bottom - 1};
    if (!background) ::FrameRect(dc, &second, brush.Get());

    const tb::TNCExtents e = GetDockedNCArea();
    RECT client{e.TopLeft.cx, e.TopLeft.cy, r.right - e.BottomRight.cx, r.bottom - e.BottomRight.cy};
    if (background) {
        const int s = ::SaveDC(dc);
        ::IntersectClipRect(dc, second.left, second.top, second.right, second.bottom);
        ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        // Lined up with the dock: the window's place in the dock's client area.
        const TRect dockClient = currentDock_->ClientRect();
        currentDock_->DrawBackground(dc, Bounds(-Left(), -Top(), dockClient.Width(), dockClient.Height()));
        ::RestoreDC(dc, s);
    }
    if (!currentDock_->AllowDrag()) return;

    const bool vertical = currentDock_->IsVertical();
    const tb::TDragHandleMetrics handle = tb::DragHandleMetrics(dragHandleStyle_, closeButtonWhenDocked_);
    const int length = vertical ? (client.right - client.left) + 2 : (client.bottom - client.top) + 2;
    const int s = ::SaveDC(dc);
    if (dragHandleStyle_ != dhNone)
        DrawDragHandleBars(dc, dragHandleStyle_, closeButtonWhenDocked_, vertical, length, handle);
    if (!background) {
        RECT strip = vertical ? RECT{2, 2, length, handle.Size + 2} : RECT{2, 2, handle.Size + 2, length};
        if (closeButtonWhenDocked_) {
            const RECT button = ToRECT(GetDockedCloseButtonRect(vertical));
            ::ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
        }
        ::FillRect(dc, &strip, brush.Get());
    }
    ::RestoreDC(dc, s);

    if (closeButtonWhenDocked_)
        DrawDockedCloseButton(dc, ToRECT(GetDockedCloseButtonRect(vertical)), closePressed_, closeHot_,
                              background ? nullptr : brush.Get());
}

void TTBCustomDockableWindow::PaintNC(HWND, HDC dc, TObject* control) {
    static_cast<TTBCustomDockableWindow*>(control)->DrawNCArea(true, dc, nullptr);
}

void TTBCustomDockableWindow::WMNCPaint(TMessage& message) {
    DrawNCArea(false, nullptr, reinterpret_cast<HRGN>(message.WParam));
    message.Result = 0;
}

void TTBCustomDockableWindow::WMPrint(TMessage& message) { tb::HandleWMPrint(Handle(), message, &PaintNC, this); }

void TTBCustomDockableWindow::WMEraseBkgnd(TMessage& message) {
    if (docked_ && currentDock_->UsingBackground() && currentDock_->BackgroundOnToolbars()) {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        const TRect client = ClientRect();
        const int s = ::SaveDC(dc);
        ::IntersectClipRect(dc, 0, 0, client.Right, client.Bottom);
        const tb::TNCExtents e = GetDockedNCArea();
        const TRect dockClient = currentDock_->ClientRect();
        currentDock_->DrawBackground(
            dc, Bounds(-Left() - e.TopLeft.cx, -Top() - e.TopLeft.cy, dockClient.Width(), dockClient.Height()));
        ::RestoreDC(dc, s);
        message.Result = 1;
        return;
    }
    DispatchInherited<TTBCustomDockableWindow>(this, message);
}

void TTBCustomDockableWindow::WMMove(TMessage& message) {
    DispatchInherited<TTBCustomDockableWindow>(this, message);
    if (docked_ && currentDock_->UsingBackground())
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    if (moveReportsOff_ == 0 && !ComponentState().Contains(csLoading) && OnMove) OnMove(this);
}

void TTBCustomDockableWindow::WMEnable(TMessage& message) {
    DispatchInherited<TTBCustomDockableWindow>(this, message);
    if (floatingMode_ == fmOnTopOfAllForms) UpdateTopmostFlag();
}

void TTBCustomDockableWindow::CMTextChanged(TMessage& message) {
    DispatchInherited<TTBCustomDockableWindow>(this, message);
    if (!settingCaption_) caption_ = AnsiToWide(GetText());
    if (TTBFloatingWindowParent* frame = FloatingParent()) frame->SetCaptionW(caption_);
    // A docked window paints its caption in its own frame, which a new text does not repaint by itself.
    if (docked_) RedrawNCArea();
}

void TTBCustomDockableWindow::CMVisibleChanged(TMessage& message) {
    if (docked_ && currentDock_) currentDock_->UpdateVisibleList(this);
    DispatchInherited<TTBCustomDockableWindow>(this, message);
    if (OnVisibleChanged) OnVisibleChanged(this);
}
