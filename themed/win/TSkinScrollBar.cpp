#include "themed/win/TSkinScrollBar.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/ObjectInstance.h"
#include "themed/win/SkinDrawing.h"
#include "themed/win/SkinThemes.h"

#include <uxtheme.h>

TSkinScrollBar::~TSkinScrollBar() { DeallocateHWnd(window_); }

void TSkinScrollBar::Layout() { zones_ = skin::LayoutScrollBar(state_); }

void TSkinScrollBar::SetVertical(bool value) {
    state_.vertical = value;
    Layout();
}

void TSkinScrollBar::SetBounds(const TRect& bounds) {
    bounds_ = bounds;
    state_.width = bounds.Width();
    state_.height = bounds.Height();
    Layout();
}

void TSkinScrollBar::SetPosition(int value) {
    const int clamped = skin::ClampScrollPosition(state_, value);
    state_.position = clamped;
    Layout();
    if (changedByUser_) {
        RedrawRequest();
        if (OnChange) OnChange(this);
    }
}

void TSkinScrollBar::UserSetPosition(int value) {
    changedByUser_ = true;
    TScopeExit clear([this] { changedByUser_ = false; });
    SetPosition(skin::ClampScrollPosition(state_, value));
}

void TSkinScrollBar::SetRange(int value) {
    if (value < 0) value = 0;
    if (value == state_.range) return;
    state_.range = value;
    RedrawRequest();
    SetPosition(state_.position);
}

void TSkinScrollBar::SetWindow(int value) {
    state_.window = value;
    SetPosition(state_.position);
}

bool TSkinScrollBar::Visible() const { return skin::ScrollBarNeeded(state_); }

void TSkinScrollBar::RedrawRequest() {
    if (OnRedrawRequest) OnRedrawRequest(this);
}

void TSkinScrollBar::Step(int zone) {
    if (zone == 1 || zone == 2 || zone == 4 || zone == 5) UserSetPosition(skin::StepPosition(state_, zone));
}

void TSkinScrollBar::MouseDown(int x, int y, bool doubleClick) {
    if (doubleClick) return;
    const TPoint p = Point(x - bounds_.Left, y - bounds_.Top);
    pressedZone_ = skin::ZoneAt(zones_, p);
    pressPoint_ = p;
    lastPoint_ = p;
    pressPosition_ = state_.position;
    if (pressedZone_ == 1 || pressedZone_ == 2 || pressedZone_ == 4 || pressedZone_ == 5) {
        Step(pressedZone_);
        StartTimer(kRepeatTimer, kFirstDelay);
    }
    RedrawRequest();
}

void TSkinScrollBar::MouseMove(int x, int y) {
    const TPoint p = Point(x - bounds_.Left, y - bounds_.Top);
    lastPoint_ = p;
    if (pressedZone_ != 3) return;
    const int delta = state_.vertical ? p.Y - pressPoint_.Y : p.X - pressPoint_.X;
    const int position = skin::DragThumbPosition(state_, zones_, pressPosition_, delta);
    if (position != state_.position) UserSetPosition(position);
}

void TSkinScrollBar::MouseUp() {
    KillTimer(kRepeatTimer);
    pressedZone_ = 0;
    RedrawRequest();
}

int TSkinScrollBar::Timer(int id) {
    if (id == kRepeatTimer) {
        if (pressedZone_ == 0) return 0;
        // A page step waits while the pointer is off its zone (the thumb has reached it); it goes on
        // when the pointer comes back.
        const bool pageZone = pressedZone_ == 2 || pressedZone_ == 4;
        if (!pageZone || skin::ZoneAt(zones_, lastPoint_) == pressedZone_) Step(pressedZone_);
        return kRepeatDelay;
    }
    if (id == kAutoScrollTimer) {
        if (!autoScrolling_) return 0;
        UserSetPosition(state_.position + autoDirection_);
        int interval = autoInterval_;
        if (state_.position == 0 || state_.position + PageSize() >= state_.range) interval = 0;
        int direction = autoDirection_;
        if (OnAutoScroll) OnAutoScroll(this, direction, interval);
        autoDirection_ = direction;
        autoInterval_ = interval;
        autoScrolling_ = interval > 0;
        return interval;
    }
    return 0;
}

void TSkinScrollBar::StartAutoScroll(int direction, int interval) {
    if (direction == 0) return;
    autoDirection_ = direction;
    autoInterval_ = interval;
    if (!autoScrolling_) {
        StartTimer(kAutoScrollTimer, interval);
        autoScrolling_ = true;
    }
}

void TSkinScrollBar::StopAutoScroll() {
    if (!autoScrolling_) return;
    autoScrolling_ = false;
    KillTimer(kAutoScrollTimer);
}

void TSkinScrollBar::StartTimer(int id, int interval) {
    if (!window_) window_ = AllocateHWnd(MakeMethod<&TSkinScrollBar::WndProc>(this));
    ::SetTimer(window_, UINT_PTR(id), UINT(interval), nullptr);
}

void TSkinScrollBar::KillTimer(int id) {
    if (window_) ::KillTimer(window_, UINT_PTR(id));
}

void TSkinScrollBar::WndProc(TMessage& message) {
    if (message.Msg != WM_TIMER) {
        message.Result = ::DefWindowProcA(window_, message.Msg, message.WParam, message.LParam);
        return;
    }
    const int id = int(message.WParam);
    if (id != kRepeatTimer && id != kAutoScrollTimer) return;
    const int interval = Timer(id);
    if (interval <= 0)
        ::KillTimer(window_, message.WParam);
    else
        ::SetTimer(window_, message.WParam, UINT(interval), nullptr);
}

TRect TSkinScrollBar::Placed(const TRect& r) const {
    return Rect(r.Left + bounds_.Left, r.Top + bounds_.Top, r.Right + bounds_.Left, r.Bottom + bounds_.Top);
}

void TSkinScrollBar::Paint(HDC dc) {
    if (SkinSystem().visualStyles && SkinSystem().styles[scScrollBar])
        PaintStyled(dc);
    else
        PaintClassic(dc);
}

void TSkinScrollBar::PaintStyled(HDC dc) {
    HTHEME theme = SkinSystem().styles[scScrollBar];
    const bool needed = Visible();
    auto draw = [&](int part, int state, const TRect& r) {
        if (r.IsEmpty()) return;
        const RECT rc{Placed(r).Left, Placed(r).Top, Placed(r).Right, Placed(r).Bottom};
        ::DrawThemeBackground(theme, dc, part, state, &rc, nullptr);
    };
    // Arrow states: up 1, down 5, left 9, right 13; plus 2 pressed, plus 3 disabled.
    const int back = state_.vertical ? 1 : 9, forward = state_.vertical ? 5 : 13;
    auto arrowState = [&](int base, int zone) { return base + (!needed ? 3 : pressedZone_ == zone ? 2 : 0); };
    draw(1, arrowState(back, 1), zones_.zone[1]);
    draw(1, arrowState(forward, 5), zones_.zone[5]);
    if (!zones_.disabledTrack.IsEmpty()) skin::FillRectColor(dc, Placed(zones_.disabledTrack), clScrollBar);
    auto zoneState = [&](int zone) { return !needed ? 4 : pressedZone_ == zone ? 3 : 1; };
    draw(state_.vertical ? 6 : 4, zoneState(2), zones_.zone[2]);
    draw(state_.vertical ? 7 : 5, zoneState(4), zones_.zone[4]);
    const TRect& thumb = zones_.zone[3];
    if (thumb.IsEmpty()) return;
    const int thumbPart = state_.vertical ? 3 : 2, gripperPart = state_.vertical ? 9 : 8;
    draw(thumbPart, zoneState(3), thumb);
    MARGINS m{};
    SIZE grip{};
    RECT rc{Placed(thumb).Left, Placed(thumb).Top, Placed(thumb).Right, Placed(thumb).Bottom};
    if (FAILED(::GetThemeMargins(theme, dc, thumbPart, zoneState(3), skin::tmContentMargins, &rc, &m))) m = MARGINS{};
    if (FAILED(::GetThemePartSize(theme, dc, gripperPart, 0, nullptr, TS_TRUE, &grip))) return;
    if (thumb.Width() - m.cxLeftWidth - m.cxRightWidth >= grip.cx &&
        thumb.Height() - m.cyTopHeight - m.cyBottomHeight >= grip.cy)
        draw(gripperPart, 0, thumb);
}

void TSkinScrollBar::PaintClassic(HDC dc) {
    const bool needed = Visible();
    auto arrow = [&](int zone, UINT direction) {
        const TRect& z = zones_.zone[std::size_t(zone)];
        if (z.IsEmpty()) return;
        const TRect p = Placed(z);
        RECT rc{p.Left, p.Top, p.Right, p.Bottom};
        UINT state = direction;
        if (!needed)
            state |= DFCS_INACTIVE;
        else if (pressedZone_ == zone)
            state |= DFCS_PUSHED | DFCS_FLAT;
        ::DrawFrameControl(dc, &rc, DFC_SCROLL, state);
    };
    arrow(1, state_.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT);
    arrow(5, state_.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
    if (!zones_.disabledTrack.IsEmpty()) skin::FillRectColor(dc, Placed(zones_.disabledTrack), clScrollBar);
    for (int zone : {2, 4}) {
        const TRect& z = zones_.zone[std::size_t(zone)];
        if (z.IsEmpty()) continue;
        if (pressedZone_ == zone)
            skin::FillRectColor(dc, Placed(z), cl3DDkShadow);
        else
            skin::DitherRect(dc, Placed(z), clBtnHighlight, clScrollBar);
    }
    const TRect& thumb = zones_.zone[3];
    if (thumb.IsEmpty()) return;
    const TRect p = Placed(thumb);
    RECT rc{p.Left, p.Top, p.Right, p.Bottom};
    ::DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    skin::FillRectColor(dc, Rect(rc.left, rc.top, rc.right, rc.bottom), clBtnFace);
}
