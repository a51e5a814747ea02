// A scroll bar without a window of its own, for list lines drawn inside a popup view where no scroll-bar
// control can live. Its owner passes mouse events in the owner's coordinates, paints it on request and
// hears of position changes the user made. Line and page steps repeat on a timer while the mouse is held
// (first after 500 ms, then every 100 ms); auto-scroll moves the position on a second timer. The timers
// arrive at a hidden window made on first use, on the thread that uses the bar.
#pragma once
#include "classlib/core/Geometry.h"
#include "classlib/core/Messages.h"
#include "classlib/core/Method.h"
#include "classlib/core/TObject.h"
#include "classlib/win/Win32.h"
#include "themed/core/ScrollBarLayout.h"

class TSkinScrollBar;
// May change the auto-scroll direction and interval (0 stops) before each auto-scroll step.
using TAutoScrollEvent = Method<void(TSkinScrollBar* sender, int& direction, int& interval)>;

class TSkinScrollBar : public TObject {
    CLASSLIB_CLASS(TSkinScrollBar, TObject)
public:
    enum : int { kRepeatTimer = 1, kAutoScrollTimer = 2, kFirstDelay = 500, kRepeatDelay = 100 };

    TSkinScrollBar() = default;
    ~TSkinScrollBar() override;

    bool Vertical() const { return state_.vertical; }
    void SetVertical(bool value);
    const TRect& Bounds() const { return bounds_; }
    void SetBounds(const TRect& bounds);
    int Position() const { return state_.position; }
    // Clamped to [0, range - page size]; a change made by the user (a step, a drag) asks for a repaint and
    // fires OnChange, others do not.
    void SetPosition(int value);
    int Range() const { return state_.range; }
    // Negative becomes 0; a new range asks for a repaint and clamps the position.
    void SetRange(int value);
    int Window() const { return state_.window; }
    void SetWindow(int value);
    int Increment() const { return state_.increment; }
    void SetIncrement(int value) { state_.increment = value; }
    int PageSize() const { return skin::PageSize(state_); }
    const skin::TScrollBarZones& Zones() const { return zones_; }
    int PressedZone() const { return pressedZone_; }
    bool AutoScrolling() const { return autoScrolling_; }

    // The position moved as the user would: clamped, then set with the user's flag held.
    void UserSetPosition(int value);

    TNotifyEvent OnChange;
    TNotifyEvent OnRedrawRequest;
    TAutoScrollEvent OnAutoScroll;

    // Whether the bar is needed (the page does not show the whole range).
    virtual bool Visible() const;
    virtual void MouseDown(int x, int y, bool doubleClick);
    virtual void MouseMove(int x, int y);
    virtual void MouseUp();
    virtual void RedrawRequest();
    // The timer's next interval (0 or less stops it).
    virtual int Timer(int id);

    void StartAutoScroll(int direction, int interval);
    void StopAutoScroll();
    // Paints the bar at its bounds.
    void Paint(HDC dc);

private:
    void Layout();
    void Step(int zone);
    void StartTimer(int id, int interval);
    void KillTimer(int id);
    void WndProc(TMessage& message);
    void PaintStyled(HDC dc);
    void PaintClassic(HDC dc);
    TRect Placed(const TRect& r) const;

    skin::TScrollBarState state_;
    TRect bounds_{};
    skin::TScrollBarZones zones_{};
    int pressedZone_ = 0;
    TPoint pressPoint_{};
    int pressPosition_ = 0;
    TPoint lastPoint_{};
    bool autoScrolling_ = false;
    int autoDirection_ = 0;
    int autoInterval_ = 0;
    bool changedByUser_ = false;
    HWND window_ = nullptr;
};
