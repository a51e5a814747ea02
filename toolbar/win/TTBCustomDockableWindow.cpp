#include "toolbar/win/TTBCustomDockableWindow.h"

#include <algorithm>
#include <cstdio>

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "classlib/win/GdiHandle.h"
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

namespace {

constexpr UINT kQuietPos = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
TRect FromRECT(const RECT& r) { return Rect(r.left, r.top, r.right, r.bottom); }

TRect ScreenRectOf(HWND wnd) {
    RECT r;
    ::GetWindowRect(wnd, &r);
    return FromRECT(r);
}

TPoint PointOfLParam(LPARAM lParam) {
    return Point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

void FrameChanged(HWND wnd) { ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kQuietPos | SWP_FRAMECHANGED); }

// The docks inside a container: its own docks in the order top, bottom, left, right, then the docks inside its
// other windowed children; a control that contains the dragged window or is not showing is skipped.
void CollectDocks(TWinControl* container, TControl* dragged, std::vector<TTBDock*>& docks) {
    std::vector<TTBDock*> own;
    std::vector<TWinControl*> others;
    for (int i = 0; i < container->ControlCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(container->Controls(i));
        if (!c || !c->Showing() || c == dragged) continue;
        bool containsDragged = false;
        for (TControl* p = dragged; p; p = p->Parent())
            if (p == c) containsDragged = true;
        if (containsDragged) continue;
        if (auto* d = dynamic_cast<TTBDock*>(c))
            own.push_back(d);
        else
            others.push_back(c);
    }
    std::stable_sort(own.begin(), own.end(), [](TTBDock* a, TTBDock* b) { return a->Position() < b->Position(); });
    for (TTBDock* d : own)
        if (std::find(docks.begin(), docks.end(), d) == docks.end()) docks.push_back(d);
    for (TWinControl* c : others) CollectDocks(c, dragged, docks);
}

int frameCounter = 0;

}  // namespace

// ---- Construction ----

TTBCustomDockableWindow::TTBCustomDockableWindow(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    SetControlStyle(style);
    tb::InstallHookProc(this, &HookProc, {hkWMActivate, hkWMActivateApp, hkWMWindowPosChanged, hkCBTDestroy});
}

TTBCustomDockableWindow::~TTBCustomDockableWindow() {
    tb::UninstallHookProc(this, &HookProc);
    tb::RemoveFloatingWindow(this);
}

void TTBCustomDockableWindow::BeforeDestruction() {
    // A loop still running on the stack learns that the window is gone and touches it no more.
    *alive_ = false;
    if (::GetCapture() && HandleAllocated() && ::GetCapture() == WindowHandle()) ::ReleaseCapture();
    tb::UninstallHookProc(this, &HookProc);
    tb::RemoveFloatingWindow(this);
    TCustomControl::BeforeDestruction();
    for (TTBDock* d : {currentDock_, lastDock_, defaultDock_})
        if (d) d->RemoveWindow(this);
    if (TTBFloatingWindowParent* frame = floatParent_) {
        floatParent_ = nullptr;
        frame->window_ = nullptr;
        // The window leaves the frame first, so that freeing the frame does not take the window with it.
        if (Parent() == frame) TCustomControl::SetParent(nullptr);
        Free(frame);
    }
}

void TTBCustomDockableWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW | CS_HREDRAW);
}

void TTBCustomDockableWindow::CreateWnd() {
    TCustomControl::CreateWnd();
    if (!caption_.empty()) ::SetWindowTextA(WindowHandle(), WideToAnsi(caption_).c_str());
}

// ---- Properties ----

void TTBCustomDockableWindow::SetAutoResize(bool value) {
    if (value == autoResize_) return;
    autoResize_ = value;
    if (value) Arrange();
}

void TTBCustomDockableWindow::SetCaption(const WideString& value) {
    if (value == caption_) return;
    caption_ = value;
    settingCaption_ = true;
    TScopeExit guard([this] { settingCaption_ = false; });
    const AnsiString ansi = WideToAnsi(caption_);
    Perform(WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(ansi.c_str()));
    Perform(CM_TEXTCHANGED);
    if (TTBFloatingWindowParent* frame = FloatingParent()) frame->SetCaptionW(caption_);
}

void TTBCustomDockableWindow::SetDockPos(int value) {
    dockPos_ = value;
    if (docked_) currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::SetDockRow(int value) {
    dockRow_ = value;
    if (docked_) currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::SetFullSize(bool value) {
    if (value == fullSize_) return;
    fullSize_ = value;
    if (docked_) currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    if (docked_) currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::SetCurrentDock(TTBDock* value) {
    if (ComponentState().Contains(csLoading)) return;
    if (value)
        SetParent(value);
    else
        SetParent(WindowForm());
}

void TTBCustomDockableWindow::SetDefaultDock(TTBDock* value) {
    if (value == defaultDock_) return;
    defaultDock_ = value;
    if (value) value->FreeNotification(this);
}

void TTBCustomDockableWindow::SetLastDock(TTBDock* value) {
    if (useLastDock_ && currentDock_) value = currentDock_;
    if (value == lastDock_) return;
    if (lastDock_ && lastDock_ != Parent()) lastDock_->RemoveWindow(this);
    lastDock_ = value;
    if (value) {
        useLastDock_ = true;
        value->FreeNotification(this);
        value->AddWindow(this);
    }
}

void TTBCustomDockableWindow::SetUseLastDock(bool value) {
    if (value == useLastDock_) return;
    useLastDock_ = value;
    if (value) {
        SetLastDock(currentDock_);
    } else {
        TTBDock* old = lastDock_;
        lastDock_ = nullptr;
        if (old && old != Parent()) old->RemoveWindow(this);
    }
}

void TTBCustomDockableWindow::SetHideWhenInactive(bool value) {
    if (value == hideWhenInactive_) return;
    hideWhenInactive_ = value;
    UpdateVisibility();
}

void TTBCustomDockableWindow::SetCloseButton(bool value) {
    if (value == closeButton_) return;
    closeButton_ = value;
    if (TTBFloatingWindowParent* frame = FloatingParent())
        frame->RedrawNCArea(TTBFloatingWindowParent::kCaption | TTBFloatingWindowParent::kCloseButton);
}

void TTBCustomDockableWindow::SetCloseButtonWhenDocked(bool value) {
    if (value == closeButtonWhenDocked_) return;
    closeButtonWhenDocked_ = value;
    if (docked_ && HandleAllocated()) {
        FrameChanged(Handle());
        currentDock_->ArrangeToolbars();
    }
}

void TTBCustomDockableWindow::SetBorderStyle(TTBDockableBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    if (docked_ && HandleAllocated()) FrameChanged(Handle());
}

void TTBCustomDockableWindow::SetDragHandleStyle(TTBDragHandleStyle value) {
    if (value == dragHandleStyle_) return;
    dragHandleStyle_ = value;
    if (docked_ && HandleAllocated()) {
        FrameChanged(Handle());
        currentDock_->ArrangeToolbars();
    }
}

void TTBCustomDockableWindow::SetResizable(bool value) {
    if (value == resizable_) return;
    resizable_ = value;
    // The frame changes its sizing border in place: re-creating its window would re-create this one too.
    if (TTBFloatingWindowParent* frame = FloatingParent(); frame && frame->HandleAllocated()) {
        HWND f = frame->Handle();
        LONG_PTR style = ::GetWindowLongPtrA(f, GWL_STYLE);
        style = value ? (style | WS_THICKFRAME) : (style & ~static_cast<LONG_PTR>(WS_THICKFRAME));
        ::SetWindowLongPtrA(f, GWL_STYLE, style);
        FrameChanged(f);
        Arrange();
    }
}

void TTBCustomDockableWindow::SetShowCaption(bool value) {
    if (value == showCaption_) return;
    showCaption_ = value;
    if (TTBFloatingWindowParent* frame = FloatingParent()) {
        if (frame->HandleAllocated()) FrameChanged(frame->Handle());
        Arrange();
    }
}

void TTBCustomDockableWindow::SetFloatingMode(TTBFloatingMode value) {
    if (value == floatingMode_) return;
    floatingMode_ = value;
    if (HandleAllocated()) Perform(CM_SHOWINGCHANGED);
}

void TTBCustomDockableWindow::SetFloatingPosition(TPoint value) {
    floatingPosition_ = value;
    if (TTBFloatingWindowParent* frame = FloatingParent())
        frame->SetBounds(value.X, value.Y, frame->Width(), frame->Height());
}

TTBFloatingWindowParent* TTBCustomDockableWindow::CreateFloatingParent() {
    return Create<TTBFloatingWindowParent>(nullptr);
}

TTBFloatingWindowParent* TTBCustomDockableWindow::FloatingParent() const {
    return floating_ ? dynamic_cast<TTBFloatingWindowParent*>(Parent()) : nullptr;
}

void TTBCustomDockableWindow::SetFloating(bool value) {
    if (value == floating_) return;
    TCustomForm* form = WindowForm();
    if (!value) {
        SetParent(form);
        return;
    }
    if (!form) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    if (!floatParent_ || floatParent_->ParentForm() != form) {
        auto* frame = CreateFloatingParent();
        TScopeExit freeOnError([frame] { Free(frame); });
        frame->window_ = this;
        frame->FreeNotification(this);
        frame->SetParentForm(form);
        char name[48];
        std::snprintf(name, sizeof name, "NBFloatingWindowParent_%.8x", static_cast<unsigned>(++frameCounter));
        frame->SetName(name);
        frame->SetCaptionW(caption_);
        frame->SetBorderStyle(bsToolWindow);
        const tb::TNCExtents nc = tb::FloatingNCExtents(GetFloatingBorderSize(), showCaption_,
                                                        ::GetSystemMetrics(SM_CYSMCAPTION));
        frame->SetBounds(0, 0, Width() + nc.Total().cx, Height() + nc.Total().cy);
        frame->SetShowHint(true);
        frame->SetVisible(true);
        freeOnError.Dismiss();
        if (floatParent_ && floatParent_ != Parent()) Free(floatParent_);
        floatParent_ = frame;
    }
    form->FreeNotification(this);
    SetParent(floatParent_);
    TCustomControl::SetBounds(0, 0, Width(), Height());
}

void TTBCustomDockableWindow::AddDockForm(TCustomForm* form) {
    if (std::find(dockForms_.begin(), dockForms_.end(), form) != dockForms_.end()) return;
    dockForms_.push_back(form);
    form->FreeNotification(this);
}

void TTBCustomDockableWindow::RemoveDockForm(TCustomForm* form) { std::erase(dockForms_, form); }

void TTBCustomDockableWindow::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == defaultDock_) defaultDock_ = nullptr;
    if (component == lastDock_) lastDock_ = nullptr;
    if (component == currentDock_) {
        currentDock_ = nullptr;
        docked_ = false;
    }
    if (auto* form = dynamic_cast<TCustomForm*>(component)) RemoveDockForm(form);
    if (component == floatParent_) {
        floatParent_ = nullptr;
        floating_ = false;
        tb::RemoveFloatingWindow(this);
    } else if (floatParent_ && component == floatParent_->ParentForm()) {
        // The form this window floats for goes away.
        if (floatParent_ != Parent()) {
            TTBFloatingWindowParent* frame = floatParent_;
            floatParent_ = nullptr;
            frame->window_ = nullptr;
            Free(frame);
        } else if (floatingMode_ == fmOnTopOfAllForms) {
            floatParent_->SetParentForm(nullptr);
        } else {
            SetParent(nullptr);
        }
    }
}

// ---- Forms ----

TCustomForm* TTBCustomDockableWindow::WindowForm() const {
    if (floating_ && floatParent_ && Parent() == floatParent_) return floatParent_->ParentForm();
    TCustomForm* outer = nullptr;
    for (TWinControl* p = Parent(); p; p = p->Parent())
        if (auto* f = dynamic_cast<TCustomForm*>(p)) outer = f;
    if (outer && outer->Is<TTBFloatingWindowParent>()) return static_cast<TTBFloatingWindowParent*>(outer)->ParentForm();
    return outer;
}

TCustomForm* TTBCustomDockableWindow::TopForm() const {
    TCustomForm* form = WindowForm();
    if (form && form->FormStyle() == fsMDIChild && Application && Application->MainForm())
        return Application->MainForm();
    return form;
}

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
    if (dragHandleStyle_ != dhNone) {
        const int bars = dragHandleStyle_ == dhDouble ? 2 : 1;
        const int inset = dragHandleStyle_ == dhSingle ? 1 : 0;
        int from = 2 + inset, to = length - inset;
        if (closeButtonWhenDocked_) {
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
    if (!background) {
        RECT strip = vertical ? RECT{2, 2, length, handle.Size + 2} : RECT{2, 2, handle.Size + 2, length};
        if (closeButtonWhenDocked_) {
            const RECT button = ToRECT(GetDockedCloseButtonRect(vertical));
            ::ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
        }
        ::FillRect(dc, &strip, brush.Get());
    }
    ::RestoreDC(dc, s);

    if (closeButtonWhenDocked_) {
        RECT button = ToRECT(GetDockedCloseButtonRect(vertical));
        if (!background) ::FillRect(dc, &button, brush.Get());
        if (closePressed_)
            ::DrawEdge(dc, &button, BDR_SUNKENOUTER, BF_RECT);
        else if (closeHot_)
            ::DrawEdge(dc, &button, BDR_RAISEDINNER, BF_RECT);
        // The 8 x 8 cross: set bits painted in the button text colour, the rest left as it is.
        static const WORD glyph[8] = {0x00, 0xCC, 0x78, 0x30, 0x78, 0xCC, 0x00, 0x00};
        WORD bits[8];
        for (int i = 0; i < 8; ++i) bits[i] = static_cast<WORD>(~(glyph[i] << 8) & 0xFF00);
        TGdiHandle<HBITMAP> mono(::CreateBitmap(8, 8, 1, 1, bits));
        HDC memory = ::CreateCompatibleDC(dc);
        TScopeExit freeMemory([memory] { ::DeleteDC(memory); });
        const HGDIOBJ oldBitmap = ::SelectObject(memory, mono.Get());
        const int shift = closePressed_ ? 1 : 0;
        const int x = button.left + 2 + shift + (button.right - button.left - 4 - 8) / 2;
        const int y = button.top + 2 + shift + (button.bottom - button.top - 4 - 8) / 2;
        const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
        const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetSysColorBrush(COLOR_BTNTEXT));
        ::BitBlt(dc, x, y, 8, 8, memory, 0, 0, 0xE20746);
        ::SelectObject(dc, oldBrush);
        ::SetBkColor(dc, oldBack);
        ::SetTextColor(dc, oldText);
        ::SelectObject(memory, oldBitmap);
    }
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
        currentDock_->DrawBackground(dc, Bounds(-Left() - e.TopLeft.cx, -Top() - e.TopLeft.cy, dockClient.Width(),
                                                dockClient.Height()));
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
}

void TTBCustomDockableWindow::CMVisibleChanged(TMessage& message) {
    if (docked_ && currentDock_) currentDock_->UpdateVisibleList(this);
    DispatchInherited<TTBCustomDockableWindow>(this, message);
    if (OnVisibleChanged) OnVisibleChanged(this);
}

// ---- Closing and double-click ----

void TTBCustomDockableWindow::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    if (!canClose) return;
    SetVisible(false);
    if (OnClose) OnClose(this);
}

void TTBCustomDockableWindow::DoubleClick() {
    if (docked_) {
        if (dblClickUndock_ && dockMode_ == dmCanFloat) {
            SetFloating(true);
            MoveOnScreen(true);
        }
        return;
    }
    if (!floating_) return;
    if (lastDock_) {
        SetParent(lastDock_);
    } else if (defaultDock_) {
        dockRow_ = 0;
        dockPos_ = -8;
        SetParent(defaultDock_);
    }
}

// ---- Moving between parents ----

void TTBCustomDockableWindow::SetParent(TWinControl* value) {
    if (value == Parent()) {
        TCustomControl::SetParent(value);
        return;
    }
    const bool destroying = Destroying();
    auto* newDock = dynamic_cast<TTBDock*>(value);
    auto* newFrame = dynamic_cast<TTBFloatingWindowParent*>(value);
    auto* oldDock = dynamic_cast<TTBDock*>(Parent());
    auto* oldFrame = dynamic_cast<TTBFloatingWindowParent*>(Parent());
    if (!destroying && value) {
        if (OnDockChanging) OnDockChanging(this, newFrame != nullptr, newDock);
        if (OnRecreating) OnRecreating(this);
    }

    ++hideCount_;
    ++moveReportsOff_;
    if (oldDock) oldDock->BeginUpdate();
    if (newDock) newDock->BeginUpdate();
    BeginUpdate();
    {
        TScopeExit finish([&] {
            EndUpdate();
            if (newDock) newDock->EndUpdate();
            if (oldDock) oldDock->EndUpdate();
            --moveReportsOff_;
            --hideCount_;
        });
        DockChangingHidden(newFrame != nullptr, newDock);
        shrunkLength_ = 0;

        if (oldDock && !(useLastDock_ && lastDock_ == oldDock)) oldDock->RemoveWindow(this);

        // The window survives the move: detached, re-parented by the system, attached again.
        HWND wnd = value ? WindowHandle() : nullptr;
        {
            TScopeExit fromParent([&] {
                currentDock_ = dynamic_cast<TTBDock*>(Parent());
                docked_ = currentDock_ != nullptr;
                floating_ = dynamic_cast<TTBFloatingWindowParent*>(Parent()) != nullptr;
            });
            if (wnd) {
                SetWindowHandle(nullptr);
                TCustomControl::SetParent(nullptr);
            }
            currentDock_ = newDock;
            docked_ = newDock != nullptr;
            floating_ = newFrame != nullptr;
            if (wnd) {
                TCustomControl::SetParent(value);
                SetWindowHandle(wnd);
                ::SetParent(wnd, value->Handle());
                FrameChanged(wnd);
            } else {
                TCustomControl::SetParent(value);
            }
        }
        effectiveRow_ = -1;
        if (oldDock) oldDock->UpdateVisibleList(this);

        if (newFrame) {
            tb::AddFloatingWindow(this);
            newFrame->SetBounds(floatingPosition_.X, floatingPosition_.Y, newFrame->Width(), newFrame->Height());
        } else {
            tb::RemoveFloatingWindow(this);
        }
        if (oldFrame && oldFrame != newFrame && !smoothDragging_) {
            // The frame may be on the stack (its caption started this); it goes once its messages are done.
            if (floatParent_ == oldFrame) floatParent_ = nullptr;
            oldFrame->window_ = nullptr;
            oldFrame->SetVisible(false);
            oldFrame->Release();
        }
        if (newDock) {
            if (!useLastDock_ || smoothDragging_)
                newDock->AddWindow(this);
            else {
                SetLastDock(newDock);
                newDock->AddWindow(this);
            }
        }
        Arrange();
    }
    UpdateVisibility();
    if (!destroying && value) {
        if (OnRecreated) OnRecreated(this);
        if (OnDockChanged) OnDockChanged(this);
    }
}

void TTBCustomDockableWindow::DockChangingHidden(bool floating, TTBDock* newDock) {
    if (!Destroying() && OnDockChangingHidden) OnDockChangingHidden(this, floating, newDock);
}

// ---- Sizing ----

void TTBCustomDockableWindow::EndUpdate() {
    if (updateCount_ <= 0) return;
    if (--updateCount_ == 0 && arrangeNeeded_) Arrange();
}

TTBDockType TTBCustomDockableWindow::CurrentDockType() const {
    return docked_ && currentDock_ ? tb::DockTypeOf(currentDock_->Position()) : floating_ ? dtFloating : dtNotDocked;
}

void TTBCustomDockableWindow::Arrange() {
    if (updateCount_ > 0 || ComponentState().Contains(csLoading) || !Parent()) {
        arrangeNeeded_ = true;
        return;
    }
    arrangeNeeded_ = false;
    TSize client;
    OrderControls(true, CurrentDockType(), currentDock_, client);
    if (autoResize_ || docked_ || floating_) ResizeToClientSize(client);
}

void TTBCustomDockableWindow::ResizeToClientSize(TSize client) {
    if (docked_) {
        currentDock_->ArrangeToolbars();
        return;
    }
    const TSize nc = GetDockedNCArea().Total();
    int w = client.cx + nc.cx, h = client.cy + nc.cy;
    if (!floating_) {
        if (Anchors().Contains(akLeft) && Anchors().Contains(akRight)) w = Width();
        if (Anchors().Contains(akTop) && Anchors().Contains(akBottom)) h = Height();
    }
    ++sizingCount_;
    TScopeExit done([this] { --sizingCount_; });
    SetBounds(Left(), Top(), w, h);
}

void TTBCustomDockableWindow::SetBounds(int left, int top, int width, int height) {
    if (floating_) {
        if (TTBFloatingWindowParent* frame = FloatingParent()) {
            const TSize nc = tb::FloatingNCExtents(GetFloatingBorderSize(), showCaption_,
                                                   ::GetSystemMetrics(SM_CYSMCAPTION)).Total();
            frame->SetBounds(frame->Left(), frame->Top(), width + nc.cx, height + nc.cy);
        }
        left = top = 0;
    }
    if (sizingCount_ == 0 && (width != Width() || height != Height())) SizeChanging(width, height);
    TCustomControl::SetBounds(left, top, width, height);
}

void TTBCustomDockableWindow::MoveOnScreen(bool onlyIfFullyOffscreen) {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame) return;
    const TRect r = frame->BoundsRect();
    const RECT area = tb::GetWorkArea(true, ToRECT(r));
    const TRect moved = tb::MoveOnScreen(r, FromRECT(area), onlyIfFullyOffscreen);
    if (moved == r) return;
    floatingPosition_ = moved.TopLeft();
    frame->SetBounds(moved.Left, moved.Top, moved.Width(), moved.Height());
}

void TTBCustomDockableWindow::Loaded() {
    TCustomControl::Loaded();
    // A frame read back from a stream lies where the stream says: a position off every monitor comes onto the
    // work area (a run-time stream keeps a place that still shows on some monitor).
    if (FloatingParent()) MoveOnScreen(savedAtRunTime_);
    Arrange();
}

void TTBCustomDockableWindow::DefineProperties(TFiler* filer) {
    TCustomControl::DefineProperties(filer);
    filer->DefineProperty(
        "SavedAtRunTime", [this](TReader& r) { savedAtRunTime_ = r.ReadBoolean(); },
        [](TWriter& w) { w.WriteBoolean(true); }, true);
    filer->DefineProperty(
        "Caption", [this](TReader& r) { SetCaption(tb::ReadWideStringValue(r)); },
        [this](TWriter& w) { tb::WriteWideStringValue(w, caption_); }, !caption_.empty());
}

// ---- Floating visibility ----

bool TTBCustomDockableWindow::ShouldBeVisible() {
    tb::TVisibilityState s;
    s.Showing = Showing();
    s.Suspended = hideCount_ > 0;
    s.Floating = floating_;
    s.Mode = floatingMode_;
    TCustomForm* form = WindowForm();
    s.Form = form && form->HandleAllocated() ? tb::IdOf(form->Handle()) : 0;
    s.HideWhenInactive = hideWhenInactive_;
    return tb::ShouldBeVisible(tb::TSystemWindowQuery{}, s);
}

void TTBCustomDockableWindow::UpdateVisibility() {
    if (!HandleAllocated()) return;
    // Seen on the screen: a floating window counts as hidden while its frame is.
    const bool visible = ::IsWindowVisible(Handle()) != FALSE;
    if (visible != ShouldBeVisible())
        Perform(CM_SHOWINGCHANGED);
    else if (visible && floating_)
        UpdateCaptionState();
}

void TTBCustomDockableWindow::UpdateCaptionState() {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame || !frame->HandleAllocated()) return;
    const tb::TCaptionState state =
        tb::FloatingCaptionState(tb::TSystemWindowQuery{}, tb::IdOf(frame->Handle()), floatingMode_);
    if (state == tb::TCaptionState::Unchanged) return;
    const bool inactive = state == tb::TCaptionState::Inactive;
    if (inactive == captionInactive_) return;
    captionInactive_ = inactive;
    frame->RedrawNCArea(TTBFloatingWindowParent::kAllParts);
}

void TTBCustomDockableWindow::UpdateTopmostFlag() {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!HandleAllocated() || !frame || !frame->HandleAllocated()) return;
    HWND f = frame->Handle();
    const bool wanted = tb::WantedTopmost(tb::TSystemWindowQuery{}, floatingMode_, ::IsWindowEnabled(Handle()) != FALSE,
                                          tb::IdOf(::GetWindow(f, GW_OWNER)));
    const bool now = (::GetWindowLongPtrA(f, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (wanted != now)
        ::SetWindowPos(f, wanted ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TTBCustomDockableWindow::CMShowingChanged(TMessage& message) {
    message.Result = 0;
    if (!HandleAllocated()) return;
    const bool visible = ShouldBeVisible();
    if (TTBFloatingWindowParent* frame = FloatingParent()) {
        HWND f = frame->Handle();
        if (visible) {
            if (floatingMode_ == fmOnTopOfAllForms) {
                if (Application) ::SetWindowLongPtrA(f, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Application->Handle()));
            } else if (TCustomForm* top = TopForm(); top && top->HandleAllocated()) {
                HWND form = top->Handle();
                if (::GetWindow(f, GW_OWNER) != form) {
                    ::SetWindowLongPtrA(f, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form));
                    const bool topmost = (::GetWindowLongPtrA(f, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                    const tb::TWindowId after = tb::FrameInsertAfter(tb::TSystemWindowQuery{}, tb::IdOf(form), topmost);
                    ::SetWindowPos(f, after ? tb::WindowOf(after) : HWND_TOP, 0, 0, 0, 0,
                                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                }
            }
            UpdateCaptionState();
        }
        UpdateTopmostFlag();
        frame->SetShouldShow(visible);
        frame->Perform(CM_SHOWINGCHANGED);
    }
    const bool wasActive = ::GetActiveWindow() == Handle();
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   kQuietPos | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (!visible && wasActive)
        if (HWND other = tb::FindOtherThreadWindow(Handle())) ::SetActiveWindow(other);
}

void TTBCustomDockableWindow::HookProc(TTBHookKind kind, HWND window, WPARAM wParam, LPARAM lParam) {
    switch (kind) {
        case hkWMActivate:
        case hkWMActivateApp:
            for (TTBCustomDockableWindow* w : tb::FloatingWindows()) w->UpdateVisibility();
            break;
        case hkWMWindowPosChanged: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!pos || !(pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED))) break;
            for (TTBCustomDockableWindow* w : tb::FloatingWindows()) {
                if (w->floatingMode_ != fmOnTopOfParentForm || !w->HandleAllocated()) continue;
                TCustomForm* form = w->WindowForm();
                if (!form || !form->HandleAllocated()) continue;
                if (window == form->Handle() || ::IsChild(window, form->Handle())) w->UpdateVisibility();
            }
            break;
        }
        case hkCBTDestroy: {
            HWND destroyed = reinterpret_cast<HWND>(wParam);
            for (TTBCustomDockableWindow* w : tb::FloatingWindows()) {
                TTBFloatingWindowParent* frame = w->FloatingParent();
                if (frame && frame->HandleAllocated() && ::GetWindow(frame->Handle(), GW_OWNER) == destroyed &&
                    Application)
                    ::SetWindowLongPtrA(frame->Handle(), GWLP_HWNDPARENT,
                                        reinterpret_cast<LONG_PTR>(Application->Handle()));
            }
            break;
        }
        default: break;
    }
}

// ---- The drag loop ----

struct TTBCustomDockableWindow::TDragState {
    struct TCandidate {
        TTBDock* Dock = nullptr;
        TRect ScreenRect;
        TSize Size;
        std::vector<tb::TDockRowInfo> Rows;
    };
    // Where the window was, to go back on a cancel.
    TTBDock* StartDock = nullptr;
    int StartRow = 0, StartPos = 0;
    bool StartFloating = false;
    TPoint StartFloatingPosition;

    TPoint Press;       // relative to the outer rectangle
    TSize Outer;
    TPoint PressScreen;
    bool DoNotDock = false;
    bool CannotFloat = false;
    std::vector<TCandidate> Docks;
    TSize FloatSize;
    TSize FloatBorder;
    int CaptionOffset = 0;
    HCURSOR StartCursor = nullptr;

    int Target = -1;  // index into Docks, -1 floating
    TRect TargetRect;
    TPoint LastPos{INT32_MIN, INT32_MIN};
    // Outline mode.
    HDC OutlineDC = nullptr;
    bool OutlineShown = false;
    TRect OutlineRect;
    TSize OutlineSize;
};

namespace {

bool IsOtherButtonMessage(UINT m) {
    return m == WM_RBUTTONDOWN || m == WM_RBUTTONUP || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDOWN ||
           m == WM_MBUTTONUP || m == WM_MBUTTONDBLCLK;
}

// The modal loop of the drag, resize and close-button tracking: messages are taken while capture holds the
// mouse capture and the window lives. Key messages go to onKey (true ends the loop, cancelled) and pointer
// moves to onMove; a left release accepts, a left press or double-click cancels, right and middle button
// messages are ignored, WM_QUIT is posted again and cancels; everything else is dispatched.
template <class OnKey, class OnMove>
bool RunCaptureLoop(HWND capture, const bool& alive, OnKey onKey, OnMove onMove) {
    MSG msg;
    while (alive && ::GetCapture() == capture) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got == -1) return false;
        const UINT m = msg.message;
        if (m >= WM_KEYFIRST && m <= WM_KEYLAST) {
            if (onKey(msg)) return false;
            continue;
        }
        if (m == WM_MOUSEMOVE) {
            onMove(msg);
            continue;
        }
        if (m == WM_LBUTTONUP) return true;
        if (m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK) return false;
        if (IsOtherButtonMessage(m)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return false;
}

}  // namespace

void TTBCustomDockableWindow::BeginMoving(int initX, int initY) {
    TDragState st;
    st.StartDock = currentDock_;
    st.StartRow = dockRow_;
    st.StartPos = dockPos_;
    st.StartFloating = floating_;
    TTBFloatingWindowParent* startFrame = FloatingParent();
    if (startFrame) st.StartFloatingPosition = startFrame->BoundsRect().TopLeft();

    dragging_ = true;
    keepPlace_ = false;
    const std::shared_ptr<bool> aliveFlag = alive_;
    const bool& alive = *aliveFlag;
    if (docked_) {
        canSplit_ = false;
        currentDock_->SetCommitPositions();
        currentDock_->ArrangeToolbars();
    }
    smoothDragging_ = smoothDrag_;

    const TRect outer = startFrame ? ScreenRectOf(startFrame->Handle()) : ScreenRectOf(Handle());
    POINT press{initX, initY};
    ::ClientToScreen(Handle(), &press);
    st.PressScreen = Point(press.x, press.y);
    st.Press = Point(press.x - outer.Left, press.y - outer.Top);
    st.Outer = TSize{outer.Width(), outer.Height()};
    st.DoNotDock = ::GetKeyState(VK_CONTROL) < 0;
    st.CannotFloat = dockMode_ != dmCanFloat;
    st.StartCursor = ::GetCursor();
    st.FloatBorder = GetFloatingBorderSize();
    st.CaptionOffset = st.FloatBorder.cy + (showCaption_ ? ::GetSystemMetrics(SM_CYSMCAPTION) : 0);

    // Candidate docks.
    std::vector<TTBDock*> docks;
    if (dockMode_ == dmCannotFloatOrChangeDocks) {
        if (docked_) docks.push_back(currentDock_);
    } else {
        if (docked_ && currentDock_->AllowDrag() && CanDockTo(currentDock_)) docks.push_back(currentDock_);
        std::vector<TTBDock*> found;
        if (TCustomForm* form = WindowForm()) CollectDocks(form, this, found);
        for (TCustomForm* f : dockForms_) CollectDocks(f, this, found);
        for (TTBDock* d : found)
            if (d->AllowDrag() && CanDockTo(d) && std::find(docks.begin(), docks.end(), d) == docks.end())
                docks.push_back(d);
    }
    TSize client;
    OrderControls(false, docked_ ? tb::DockTypeOf(currentDock_->Position()) : dtFloating, nullptr, client);
    const TSize floatNC = tb::FloatingNCExtents(st.FloatBorder, showCaption_, ::GetSystemMetrics(SM_CYSMCAPTION)).Total();
    st.FloatSize = TSize{client.cx + floatNC.cx, client.cy + floatNC.cy};
    for (TTBDock* d : docks) {
        for (TTBCustomDockableWindow* w : d->Windows()) {
            w->dockRow_ = w->effectiveRow_ < 0 ? w->dockRow_ : w->effectiveRow_;
            w->dockPos_ = w->effectiveRow_ < 0 ? w->dockPos_ : w->effectivePos_;
        }
        TDragState::TCandidate c;
        c.Dock = d;
        c.ScreenRect = d->HandleAllocated() ? ScreenRectOf(d->Handle()) : TRect{};
        if (d == currentDock_) {
            c.Size = TSize{Width(), Height()};
        } else {
            TSize there;
            OrderControls(false, tb::DockTypeOf(d->Position()), d, there);
            const TSize nc =
                tb::DockedNCExtents(d->Position(), d->AllowDrag(), dragHandleStyle_, closeButtonWhenDocked_).Total();
            c.Size = TSize{there.cx + nc.cx, there.cy + nc.cy};
        }
        for (int r = 0; r <= d->GetHighestRow(true); ++r) {
            bool full = false;
            const int size = d->GetRowSize(r, full);
            c.Rows.push_back({size, full});
        }
        st.Docks.push_back(c);
    }

    tb::ProcessPaintMessages();
    if (!smoothDrag_) {
        ::LockWindowUpdate(::GetDesktopWindow());
        st.OutlineDC = ::GetDCEx(::GetDesktopWindow(), nullptr, DCX_LOCKWINDOWUPDATE | DCX_CACHE | DCX_WINDOW);
    }
    HWND captureWindow = Handle();
    ::SetCapture(captureWindow);
    bool accepted = false;
    {
        TScopeExit cleanUp([&] {
            if (::GetCapture() == captureWindow) ::ReleaseCapture();
            if (st.OutlineDC) {
                if (st.OutlineShown) {
                    const RECT old = ToRECT(st.OutlineRect);
                    tb::DrawHalftoneInvertRect(st.OutlineDC, nullptr, {}, &old, SIZE{st.OutlineSize.cx, st.OutlineSize.cy});
                }
                ::ReleaseDC(::GetDesktopWindow(), st.OutlineDC);
                ::LockWindowUpdate(nullptr);
            }
            if (!alive) return;
            dragging_ = false;
            keepPlace_ = false;
            smoothDragging_ = false;
        });

        DragStep(st, true);
        accepted = RunCaptureLoop(
            captureWindow, alive,
            [&](const MSG& msg) {
                if (msg.wParam == VK_CONTROL && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)) {
                    st.DoNotDock = msg.message == WM_KEYDOWN;
                    DragStep(st, false);
                    return false;
                }
                return msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN;
            },
            [&](const MSG&) {
                const DWORD pos = ::GetMessagePos();
                if (Point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))) != st.LastPos)
                    DragStep(st, false);
            });
    }
    if (!alive) return;

    if (accepted) {
        if (!smoothDrag_ && !st.TargetRect.IsEmpty()) ApplyDragRect(st, st.TargetRect);
    } else if (smoothDrag_) {
        // Cancelled (Esc, another button, lost capture): back where the drag started.
        smoothDragging_ = false;
        if (st.StartDock) {
            dockRow_ = st.StartRow;
            dockPos_ = st.StartPos;
            if (Parent() != st.StartDock) SetParent(st.StartDock);
            st.StartDock->ArrangeToolbars();
        } else if (st.StartFloating) {
            floatingPosition_ = st.StartFloatingPosition;
            if (!floating_) SetFloating(true);
            SetFloatingPosition(st.StartFloatingPosition);
        }
    }
    if (useLastDock_ && currentDock_) SetLastDock(currentDock_);
    // A frame set aside during the drag and no longer used goes.
    if (floatParent_ && floatParent_ != Parent()) {
        TTBFloatingWindowParent* frame = floatParent_;
        floatParent_ = nullptr;
        frame->window_ = nullptr;
        frame->SetVisible(false);
        frame->Release();
    }
    if (!docked_) {
        dockRow_ = st.StartRow;
        dockPos_ = st.StartPos;
    }
    if (floating_) MoveOnScreen(true);
}

void TTBCustomDockableWindow::DragStep(TDragState& st, bool firstStep) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    TPoint pos = Point(cursor.x, cursor.y);
    st.LastPos = pos;

    int target = -1;
    if (keepPlace_) {
        for (std::size_t i = 0; i < st.Docks.size(); ++i)
            if (st.Docks[i].Dock == currentDock_) target = static_cast<int>(i);
    } else if (!st.DoNotDock && !(firstStep && st.StartFloating)) {
        for (std::size_t i = 0; i < st.Docks.size(); ++i) {
            const auto& c = st.Docks[i];
            const TRect there = tb::PlaceAtGrabPoint(pos, c.Size, st.Press, st.Outer);
            if (!tb::PointerInDockZone(c.ScreenRect, c.Dock->IsVertical(), pos, st.Press, st.Outer, there)) continue;
            bool accept = true;
            if (c.Dock->OnRequestDock) c.Dock->OnRequestDock(c.Dock, this, accept);
            if (!accept) continue;
            target = static_cast<int>(i);
            break;
        }
    }
    const TRect work = FromRECT(tb::GetWorkArea(true, POINT{pos.X, pos.Y}));
    if (target < 0) {
        pos.X = std::clamp(pos.X, work.Left, std::max(work.Left, work.Right - 1));
        pos.Y = std::clamp(pos.Y, work.Top, std::max(work.Top, work.Bottom - 1));
    }
    TRect rect = tb::PlaceAtGrabPoint(pos, target >= 0 ? st.Docks[target].Size : st.FloatSize, st.Press, st.Outer);
    if (target < 0) rect = tb::KeepFloatingReachable(rect, work, st.FloatBorder, st.CaptionOffset);

    if (target < 0 && st.CannotFloat) {
        rect = TRect{};
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_NO)));
    } else if (keepPlace_) {
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(currentDock_ && currentDock_->IsVertical() ? IDC_SIZENS : IDC_SIZEWE)));
    } else {
        ::SetCursor(st.StartCursor);
    }
    st.Target = target;
    st.TargetRect = rect;

    if (st.OutlineDC) {
        const TSize size = target >= 0 ? TSize{1, 1} : TSize{st.FloatBorder.cx, st.FloatBorder.cx};
        const RECT now = ToRECT(rect);
        const RECT old = ToRECT(st.OutlineRect);
        tb::DrawHalftoneInvertRect(st.OutlineDC, rect.IsEmpty() ? nullptr : &now, SIZE{size.cx, size.cy},
                                   st.OutlineShown ? &old : nullptr, SIZE{st.OutlineSize.cx, st.OutlineSize.cy});
        st.OutlineShown = !rect.IsEmpty();
        st.OutlineRect = rect;
        st.OutlineSize = size;
    } else if (!rect.IsEmpty()) {
        ApplyDragRect(st, rect);
    }
}

void TTBCustomDockableWindow::ApplyDragRect(TDragState& st, const TRect& rect) {
    if (st.Target >= 0) {
        const auto& c = st.Docks[static_cast<std::size_t>(st.Target)];
        TTBDock* dock = c.Dock;
        POINT origin{0, 0};
        ::ClientToScreen(dock->Handle(), &origin);
        const TRect local = Bounds(rect.Left - origin.x, rect.Top - origin.y, rect.Width(), rect.Height());
        const bool vertical = dock->IsVertical();
        int row = dockRow_;
        bool newRow = false;
        if (!keepPlace_) {
            const int centre = vertical ? local.Left + local.Width() / 2 : local.Top + local.Height() / 2;
            const tb::TRowChoice choice = tb::ChooseDockRow(c.Rows, centre, fullSize_);
            row = choice.Row;
            newRow = choice.NewRow;
            if (newRow) canSplit_ = false;
        }
        if (canSplit_ && dock == currentDock_ && row == st.StartRow && !newRow) {
            if (tb::MovedFarEnoughToKeepPlace(st.PressScreen, st.LastPos, vertical)) {
                canSplit_ = false;
                keepPlace_ = true;
                ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(vertical ? IDC_SIZENS : IDC_SIZEWE)));
            }
        } else if (!keepPlace_) {
            canSplit_ = false;
        }
        dockRow_ = row;
        dockPos_ = vertical ? local.Top : local.Left;
        insertAsNewRow_ = newRow;
        TScopeExit clearInsert([this] { insertAsNewRow_ = false; });
        if (Parent() != dock) SetParent(dock);
        if (!smoothDragging_) dock->SetCommitPositions();
        dock->ArrangeToolbars();
    } else {
        canSplit_ = false;
        floatingPosition_ = rect.TopLeft();
        if (!floating_)
            SetFloating(true);
        else
            SetFloatingPosition(rect.TopLeft());
    }
    if (HandleAllocated()) ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

// ---- The resize loop ----

void TTBCustomDockableWindow::BeginSizing(int handle) {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame || !frame->HandleAllocated()) return;
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    GetMinMaxSize(minW, minH, maxW, maxH);
    const TRect start = ScreenRectOf(frame->Handle());
    const int frameW = start.Width() - Width(), frameH = start.Height() - Height();
    const TSize minSize{minW + frameW, minH + frameH};
    const TSize maxSize{maxW > 0 ? maxW + frameW : 0, maxH > 0 ? maxH + frameH : 0};

    const std::shared_ptr<bool> aliveFlag = alive_;
    const bool& alive = *aliveFlag;
    SizingStarted(handle);
    bool sizingEnded = false;
    TScopeExit endSizing([&] {
        if (alive && !sizingEnded) SizingEnded(false);
    });
    tb::ProcessPaintMessages();
    HDC outline = nullptr;
    if (!smoothDrag_) {
        ::LockWindowUpdate(::GetDesktopWindow());
        outline = ::GetDCEx(::GetDesktopWindow(), nullptr, DCX_LOCKWINDOWUPDATE | DCX_CACHE | DCX_WINDOW);
    }
    HWND captureWindow = Handle();
    ::SetCapture(captureWindow);
    const int monitors = ::GetSystemMetrics(SM_CMONITORS);
    if (confineCursor_ && monitors <= 1) {
        const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        ::ClipCursor(&screen);
    }
    POINT startPos;
    ::GetCursorPos(&startPos);
    TRect current = start;
    bool shown = false;
    const SIZE ring{GetFloatingBorderSize().cx, GetFloatingBorderSize().cx};
    bool accepted = false;
    {
        TScopeExit cleanUp([&] {
            ::ClipCursor(nullptr);
            if (::GetCapture() == captureWindow) ::ReleaseCapture();
            if (outline) {
                if (shown) {
                    const RECT old = ToRECT(current);
                    tb::DrawHalftoneInvertRect(outline, nullptr, {}, &old, ring);
                }
                ::ReleaseDC(::GetDesktopWindow(), outline);
                ::LockWindowUpdate(nullptr);
            }
        });
        TPoint last = Point(startPos.x, startPos.y);
        accepted = RunCaptureLoop(
            captureWindow, alive,
            [](const MSG& msg) { return msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN; },
            [&](const MSG&) {
                POINT p;
                ::GetCursorPos(&p);
                if (Point(p.x, p.y) == last) return;
                last = Point(p.x, p.y);
                TRect next = tb::SizedRect(start, handle, Point(p.x - startPos.x, p.y - startPos.y), minSize, maxSize);
                SizingRect(next, start);
                if (outline) {
                    const RECT now = ToRECT(next), old = ToRECT(current);
                    tb::DrawHalftoneInvertRect(outline, &now, ring, shown ? &old : nullptr, ring);
                    shown = true;
                    current = next;
                } else if (next != current) {
                    current = next;
                    ApplySizingRect(current);
                }
            });
    }
    if (!alive) return;
    sizingEnded = true;
    SizingEnded(accepted);
    if (!accepted)
        ApplySizingRect(start);  // cancelled: the frame takes its first size back
    else if (outline)
        ApplySizingRect(current);
}

void TTBCustomDockableWindow::ApplySizingRect(const TRect& rect) {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame) return;
    BeginUpdate();
    {
        TScopeExit done([this] { EndUpdate(); });
        frame->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
        floatingPosition_ = rect.TopLeft();
        const TRect client = frame->ClientRect();
        TCustomControl::SetBounds(0, 0, client.Width(), client.Height());
    }
    if (OnMove) OnMove(this);
    MoveOnScreen(true);
}

// ---- Close buttons ----

bool TTBCustomDockableWindow::TrackCloseButton(bool floatingButton) {
    TTBFloatingWindowParent* frame = floatingButton ? FloatingParent() : nullptr;
    if (floatingButton && (!frame || !frame->HandleAllocated())) return false;
    HWND wnd = floatingButton ? frame->Handle() : Handle();
    auto buttonRect = [&] {
        const TRect wr = ScreenRectOf(wnd);
        TRect local;
        if (floatingButton) {
            RECT client;
            ::GetClientRect(wnd, &client);
            local = tb::FloatingCaptionRects(GetFloatingBorderSize(), client.right, ::GetSystemMetrics(SM_CYSMCAPTION),
                                             true)
                        .CloseButton;
        } else {
            local = GetDockedCloseButtonRect(currentDock_ && currentDock_->IsVertical());
        }
        return Bounds(wr.Left + local.Left, wr.Top + local.Top, local.Width(), local.Height());
    };
    auto show = [&](bool pressed) {
        if (floatingButton)
            frame->SetCloseButtonDown(pressed);
        else
            SetCloseButtonState(closeHot_, pressed);
    };
    const std::shared_ptr<bool> aliveFlag = alive_;
    const bool& alive = *aliveFlag;
    ::SetCapture(wnd);
    show(true);
    bool clicked = false;
    {
        TScopeExit cleanUp([&] {
            if (::GetCapture() == wnd) ::ReleaseCapture();
            if (alive) show(false);
        });
        auto overButton = [&] {
            POINT p;
            ::GetCursorPos(&p);
            return buttonRect().Contains(Point(p.x, p.y));
        };
        clicked = RunCaptureLoop(
            wnd, alive, [](const MSG&) { return false; }, [&](const MSG&) { show(overButton()); });
        clicked = clicked && alive && overButton();
    }
    return alive && clicked;
}
