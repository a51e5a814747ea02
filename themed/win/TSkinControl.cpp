#include "themed/win/TSkinControl.h"

#include "classlib/win/TCustomForm.h"
#include "classlib/win/TTimer.h"

namespace {

constexpr unsigned kHotInterval = 125;

// The state every themed control shares: the timer, how many controls live, and the hot one.
struct THotTracking {
    TObjectPtr<TTimer> timer;
    int controls = 0;
    TSkinControl* hot = nullptr;
};
THotTracking& Tracking() {
    static THotTracking tracking;
    return tracking;
}

TControl* ControlUnderCursor() {
    POINT p{};
    if (!::GetCursorPos(&p)) return nullptr;
    return FindDragTarget(TPoint{p.x, p.y}, true);
}

}  // namespace

TSkinControl::TSkinControl(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle();
    style.Exclude(csOpaque);
    style.Include(csAcceptsControls);
    style.Include(csClickEvents);
    style.Include(csDoubleClicks);
    style.Include(csParentBackground);
    SetControlStyle(style);
    THotTracking& t = Tracking();
    if (t.controls++ == 0) {
        t.timer = MakeObject<TTimer>(nullptr);
        t.timer->SetEnabled(false);
        t.timer->SetInterval(kHotInterval);
    }
    AddThemeNotification(this);
}

TSkinControl::~TSkinControl() {
    THotTracking& t = Tracking();
    if (t.hot == this) {
        t.hot = nullptr;
        t.timer->SetEnabled(false);
        t.timer->OnTimer = {};
    }
    hot_ = false;
    RemoveThemeNotification(this);
    if (--t.controls == 0) t.timer.reset();
}

TSkinControl* TSkinControl::HotControl() { return Tracking().hot; }

bool TSkinControl::HotTimerRunning() {
    const THotTracking& t = Tracking();
    return t.timer && t.timer->Enabled();
}

void TSkinControl::MouseEntered() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TSkinControl::MouseLeft() {
    if (OnMouseLeave) OnMouseLeave(this);
}

void TSkinControl::EnterHot() {
    // A disabled control is never taken as the hot one, so that no timer polls for it.
    THotTracking& t = Tracking();
    if (t.hot == this || !Enabled()) return;
    if (t.hot) t.hot->LeaveHot();
    t.hot = this;
    t.timer->OnTimer = MakeMethod<&TSkinControl::HotTimer>(this);
    t.timer->SetEnabled(true);
    hot_ = true;
    MouseEntered();
    Invalidate();
}

void TSkinControl::LeaveHot() {
    THotTracking& t = Tracking();
    if (t.hot == this) {
        t.hot = nullptr;
        t.timer->SetEnabled(false);
        t.timer->OnTimer = {};
    }
    if (!hot_) return;
    hot_ = false;
    MouseLeft();
    Invalidate();
}

void TSkinControl::HotTimer(TObject*) {
    if (ControlUnderCursor() != this) LeaveHot();
}

void TSkinControl::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    TControl* under = ControlUnderCursor();
    if (under == this)
        EnterHot();
    else if (hot_ && MouseCapture())
        LeaveHot();
}

void TSkinControl::SetPushed(bool value) {
    if (pushed_ == value) return;
    pushed_ = value;
    Invalidate();
}

void TSkinControl::TakeFocus() {
    if (!focusOnPress_ || !CanFocus() || Focused()) return;
    if (!smartFocus_) {
        SetFocus();
        return;
    }
    HWND focus = ::GetFocus();
    if (!focus || !Parent() || !Parent()->HandleAllocated()) return;
    const HWND parent = Parent()->Handle();
    if (focus != parent && !::IsChild(parent, focus)) return;
    if (TCustomForm* form = GetParentForm(this)) form->FocusWithoutScrolling(this);
}

void TSkinControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        SetPushed(true);
        EnterHot();
        TakeFocus();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TSkinControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) SetPushed(false);
    TCustomControl::MouseUp(button, shift, x, y);
}

void TSkinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (spaceClicks_ && key == VK_SPACE) {
        keyPushed_ = true;
        SetPushed(true);
    }
    TCustomControl::KeyDown(key, shift);
}

void TSkinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (spaceClicks_ && key == VK_SPACE && pushed_) {
        keyPushed_ = false;
        SetPushed(false);
        Click();
    }
    TCustomControl::KeyUp(key, shift);
}

void TSkinControl::WMKillFocus(TMessage& message) {
    DispatchInherited<TSkinControl>(this, message);
    if (pushed_ || keyPushed_) {
        keyPushed_ = false;
        SetPushed(false);
    }
}

void TSkinControl::CMEnabledChanged(TMessage& message) {
    DispatchInherited<TSkinControl>(this, message);
    if (!Enabled() && hot_) {
        LeaveHot();
        if (HandleAllocated()) Perform(WM_CANCELMODE);
    }
    Invalidate();
}

void TSkinControl::CMThemeChanged(TMessage&) {
    if (HandleAllocated()) ::InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TSkinControl::CreateWnd() {
    TCustomControl::CreateWnd();
    ::SendMessageA(WindowHandle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    cuesVisible_ = !(::SendMessageA(WindowHandle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL);
}

void TSkinControl::WMUpdateUIState(TMessage& message) {
    DispatchInherited<TSkinControl>(this, message);
    const bool visible = !(::SendMessageA(WindowHandle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL);
    if (visible != cuesVisible_) {
        cuesVisible_ = visible;
        Invalidate();
    }
}

void TSkinControl::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (!dc) return;
    // While double-buffered painting runs, the background goes into the buffer (the message repeats its DC
    // in lParam); the system's erase of the screen is left out so that the control does not flash.
    if (DoubleBuffered() && message.LParam != static_cast<std::intptr_t>(message.WParam) &&
        ::WindowFromDC(dc) == WindowHandle())
        return;
    const TRect client = ClientRect();
    if (ParentBackground()) {
        DrawParentBackground(this, dc, client);
        return;
    }
    const RECT r{client.Left, client.Top, client.Right, client.Bottom};
    HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color())));
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}
