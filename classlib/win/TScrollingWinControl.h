// Windowed controls whose children may extend past the client area: a horizontal and a vertical scroll bar
// move the children, and with AutoScroll the bars' ranges follow the children's extent. Base of forms and
// frames.
#pragma once
#include "classlib/win/TWinControl.h"

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

// One scroll bar of a scrolling control. Range is the extent of the scrolled area along the bar (0: none);
// the bar shows when Visible and Range exceeds the client extent. Position is the offset of the area's
// origin, clamped to 0..Range - client extent.
class TControlScrollBar : public TPersistent {
    CLASSLIB_CLASS(TControlScrollBar, TPersistent)

    TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind);

    void Assign(TPersistent* source) override;

    TScrollBarKind Kind() const { return kind_; }
    int Range() const { return range_; }
    // Setting a range switches the control's AutoScroll off.
    void SetRange(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    // The step of a line scroll (arrow of the bar).
    int Increment() const { return increment_; }
    void SetIncrement(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // True while the bar is on screen.
    bool IsScrollBarVisible() const;
    // The client extent the bar scrolls over (client width or height).
    int ClientExtent() const;

private:
    friend class TScrollingWinControl;
    // Applies WM_HSCROLL / WM_VSCROLL.
    void ScrollMessage(TMessage& message);
    // Sets the range computed by AutoScroll (does not switch it off).
    void SetAutoRange(int value);
    // Shows, hides and positions the native bar; true when its visibility changed.
    bool Apply();
    // The position clamped to what the range and client extent allow.
    int Clamped(int value) const;
    // Sets the position and moves the children along; false when it was there already.
    bool MoveTo(int newPos);

    TScrollingWinControl* control_;
    TScrollBarKind kind_;
    int range_ = 0;
    int position_ = 0;
    int increment_ = 8;
    bool visible_ = true;
    bool shown_ = false;
};

class TScrollingWinControl : public TWinControl {
    CLASSLIB_COMPONENT(TScrollingWinControl, TWinControl)
    CLASSLIB_MESSAGES(TScrollingWinControl, CLASSLIB_ON(WM_HSCROLL, &TScrollingWinControl::WMHScroll),
                      CLASSLIB_ON(WM_VSCROLL, &TScrollingWinControl::WMVScroll),
                      CLASSLIB_ON(WM_SIZE, &TScrollingWinControl::WMSize),
                      CLASSLIB_ON(CM_CONTROLCHANGE, &TScrollingWinControl::CMControlChange),
                      CLASSLIB_ON(CM_CONTROLLISTCHANGE, &TScrollingWinControl::CMControlListChange))

    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return horz_.get(); }
    TControlScrollBar* VertScrollBar() const { return vert_.get(); }
    void SetHorzScrollBar(TControlScrollBar* value) { horz_->Assign(value); }
    void SetVertScrollBar(TControlScrollBar* value) { vert_->Assign(value); }

    // With AutoScroll the ranges follow the extent of the children: they are measured again when a child
    // comes or goes, when the children are aligned or the client area changes, before every scroll, and on
    // UpdateScrollBars.
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);

    // Scrolls so that control (a child at any depth) is inside the client area, as much of it as fits,
    // its top-left corner first.
    void ScrollInView(TControl* control);
    // Moves every child by (deltaX, deltaY) pixels; the scroll positions are the caller's business.
    void ScrollBy(int deltaX, int deltaY);

    // Computes the ranges again (AutoScroll) and updates both bars.
    void UpdateScrollBars();
    // Scrolls control into view when it takes the focus, if AutoScroll is on.
    virtual void AutoScrollInView(TControl* control);

    void CreateWnd() override;

protected:
    friend class TControlScrollBar;
    void AlignControls(TControl* control, TRect& rect) override;
    // The area the children are aligned in: the scrolled area, shifted by the scroll positions.
    void AdjustClientRect(TRect& rect) override;

    void WMHScroll(TMessage& message);
    void WMVScroll(TMessage& message);
    void WMSize(TMessage& message);
    void CMControlChange(TMessage& message);
    void CMControlListChange(TMessage& message);

private:
    // The children's extent for each bar (AutoScroll).
    void CalcAutoRange();

    TObjectPtr<TControlScrollBar> horz_;
    TObjectPtr<TControlScrollBar> vert_;
    bool autoScroll_ = false;
    int updating_ = 0;
};
