#include "classlib/win/TScrollingWinControl.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
TControlScrollBar::TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind)
    : control_(control), kind_(kind) {}

void TControlScrollBar::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TControlScrollBar*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetVisible(other->visible_);
    SetIncrement(other->increment_);
    SetRange(other->range_);
    SetPosition(other->position_);
}

void TControlScrollBar::SetRange(int value) {
    range_ = std::max(value, 0);
    control_->autoScroll_ = false;
    control_->UpdateScrollBars();
}

void TControlScrollBar::SetAutoRange(int value) { range_ = std::max(value, 0); }

int TControlScrollBar::ClientExtent() const {
    return kind_ == sbHorizontal ? control_->ClientWidth() : control_->ClientHeight();
}

int TControlScrollBar::Clamped(int value) const { return std::max(0, std::min(value, range_ - ClientExtent())); }

void TControlScrollBar::SetPosition(int value) {
    // Measure the children first: they may have moved since the range was last computed.
    control_->UpdateScrollBars();
    if (!MoveTo(Clamped(value))) return;
    if (shown_ && control_->HandleAllocated())
        SetScrollPos(control_->Handle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, position_, TRUE);
}

bool TControlScrollBar::MoveTo(int newPos) {
    if (newPos == position_) return false;
    int delta = position_ - newPos;
    position_ = newPos;
    if (kind_ == sbHorizontal)
        control_->ScrollBy(delta, 0);
    else
        control_->ScrollBy(0, delta);
    return true;
}

void TControlScrollBar::SetIncrement(int value) { increment_ = std::max(value, 1); }

void TControlScrollBar::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    control_->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() const { return shown_; }

bool TControlScrollBar::Apply() {
    if (!control_->HandleAllocated()) return false;
    HWND wnd = control_->Handle();
    int bar = kind_ == sbHorizontal ? SB_HORZ : SB_VERT;
    bool want = visible_ && range_ > ClientExtent();
    // The position must stay inside what the range allows (all of it scrolls back when the bar goes).
    MoveTo(want ? Clamped(position_) : 0);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (want) {
        info.nMax = range_ - 1;
        info.nPage = static_cast<UINT>(ClientExtent());
        info.nPos = position_;
    }
    SetScrollInfo(wnd, bar, &info, TRUE);
    bool changed = want != shown_;
    shown_ = want;
    if (changed) ShowScrollBar(wnd, bar, want ? TRUE : FALSE);
    return changed;
}

void TControlScrollBar::ScrollMessage(TMessage& message) {
    int code = message.WParamLo();
    int extent = ClientExtent();
    switch (code) {
        case SB_LINEUP: SetPosition(position_ - increment_); break;
        case SB_LINEDOWN: SetPosition(position_ + increment_); break;
        case SB_PAGEUP: SetPosition(position_ - extent); break;
        case SB_PAGEDOWN: SetPosition(position_ + extent); break;
        case SB_TOP: SetPosition(0); break;
        case SB_BOTTOM: SetPosition(range_); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: {
            // The 16-bit position of the message would cut large ranges: ask the bar for the full one.
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            if (control_->HandleAllocated() &&
                GetScrollInfo(control_->Handle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, &info))
                SetPosition(info.nTrackPos);
            break;
        }
        default: break;
    }
    message.Result = 0;
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner),
      horz_(MakeObject<TControlScrollBar>(this, sbHorizontal)),
      vert_(MakeObject<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool value) {
    if (autoScroll_ == value) return;
    autoScroll_ = value;
    if (!value) {
        // The area is no longer scrolled: bring it back to its origin and drop the computed ranges.
        horz_->SetPosition(0);
        vert_->SetPosition(0);
        horz_->SetAutoRange(0);
        vert_->SetAutoRange(0);
    }
    UpdateScrollBars();
}

void TScrollingWinControl::CalcAutoRange() {
    int h = 0;
    int v = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        TAlign a = c->Align();
        // Controls that stretch with the area along an axis do not set its extent.
        if ((a == alNone || a == alLeft || a == alCustom) && !c->Anchors().Contains(akRight))
            h = std::max(h, c->Left() + c->Width() + horz_->position_);
        if ((a == alNone || a == alTop || a == alCustom) && !c->Anchors().Contains(akBottom))
            v = std::max(v, c->Top() + c->Height() + vert_->position_);
    }
    horz_->SetAutoRange(h);
    vert_->SetAutoRange(v);
}

void TScrollingWinControl::UpdateScrollBars() {
    if (updating_ > 0) return;
    ++updating_;
    TScopeExit updated([this] { --updating_; });
    if (autoScroll_) CalcAutoRange();
    // Showing one bar narrows the client area along the other one; two rounds settle both.
    for (int round = 0; round < 2 && HandleAllocated(); ++round) {
        bool changed = horz_->Apply();
        changed = vert_->Apply() || changed;
        if (!changed) break;
    }
}

void TScrollingWinControl::ScrollBy(int deltaX, int deltaY) {
    if (deltaX == 0 && deltaY == 0) return;
    {
        DisableAlign();
        TScopeExit enable([this] { EnableAlign(); });
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            c->SetBounds(c->Left() + deltaX, c->Top() + deltaY, c->Width(), c->Height());
        }
    }
    if (HandleAllocated()) Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (!control || control == this) return;
    TWinControl* p = control->Parent();
    while (p && p != this) p = p->Parent();
    if (!p) return;  // not inside this control
    UpdateScrollBars();
    // The control's rectangle in this control's client coordinates.
    TPoint origin = control->Parent()->ClientOrigin();
    TPoint mine = ClientOrigin();
    int x = control->Left() + origin.X - mine.X;
    int y = control->Top() + origin.Y - mine.Y;
    TRect r = Bounds(x, y, control->Width(), control->Height());
    auto scrollAlong = [](TControlScrollBar* bar, int low, int high) {
        int extent = bar->ClientExtent();
        if (low < 0)
            bar->SetPosition(bar->Position() + low);
        else if (high > extent)
            bar->SetPosition(bar->Position() + (high - low > extent ? low : high - extent));
    };
    scrollAlong(horz_.get(), r.Left, r.Right);
    scrollAlong(vert_.get(), r.Top, r.Bottom);
}

void TScrollingWinControl::AutoScrollInView(TControl* control) {
    if (autoScroll_ && control) ScrollInView(control);
}

void TScrollingWinControl::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::AdjustClientRect(TRect& rect) {
    TWinControl::AdjustClientRect(rect);
    rect = Bounds(rect.Left - horz_->position_, rect.Top - vert_->position_, std::max(horz_->range_, rect.Width()),
                  std::max(vert_->range_, rect.Height()));
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    UpdateScrollBars();
}

void TScrollingWinControl::WMHScroll(TMessage& message) {
    if (message.LParam != 0) {  // from a scroll-bar child: reflected to it
        DispatchInherited<TScrollingWinControl>(this, message);
        return;
    }
    horz_->ScrollMessage(message);
}

void TScrollingWinControl::WMVScroll(TMessage& message) {
    if (message.LParam != 0) {
        DispatchInherited<TScrollingWinControl>(this, message);
        return;
    }
    vert_->ScrollMessage(message);
}

void TScrollingWinControl::WMSize(TMessage& message) {
    DispatchInherited<TScrollingWinControl>(this, message);
    // The client area changed (also when only a bar came or went): lay the children out again.
    if (!AlignDisabled()) Realign();
}

void TScrollingWinControl::CMControlChange(TMessage& message) {
    DispatchInherited<TScrollingWinControl>(this, message);
    if (message.LParam) UpdateScrollBars();  // a child came
}

void TScrollingWinControl::CMControlListChange(TMessage& message) {
    DispatchInherited<TScrollingWinControl>(this, message);
    if (!message.LParam) UpdateScrollBars();  // a child has gone
}
