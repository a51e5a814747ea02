// A view control with scroll bars over the union of its objects' device bounds. Scrolling moves the map
// mode's viewport origin, so the image and every tool's control move together; the scroll position is minus
// the origin. Content smaller than the window is centred. The bars step by a line (10 pixels) and by three
// quarters of a page, follow the thumb while it is dragged, and stop at the last position; the wheel scrolls
// by the system's wheel lines (Shift: sideways) when no object and no event handler takes it.
//
// The excess of content over window is measured against the client area as it is without scroll bars, and
// the bars are set up for the client area with the bars that excess brings: showing or hiding a bar does not
// change what can be seen.
#pragma once
#include <cstdint>

#include "app/core/KelvoScrollMath.h"
#include "app/win/TKelvoViewControl.h"

class TKelvoScrollViewControl : public TKelvoViewControl {
    CLASSLIB_COMPONENT(TKelvoScrollViewControl, TKelvoViewControl)
    CLASSLIB_MESSAGES(TKelvoScrollViewControl, CLASSLIB_ON(WM_HSCROLL, &TKelvoScrollViewControl::WMHScroll),
                      CLASSLIB_ON(WM_VSCROLL, &TKelvoScrollViewControl::WMVScroll))

    explicit TKelvoScrollViewControl(TComponent* owner);

    std::int32_t LineStep() const { return lineStep_; }
    void SetLineStep(std::int32_t value) { lineStep_ = value; }
    // True while a scroll-bar message is handled.
    bool InScroll() const { return inScroll_; }
    std::int32_t ScrollPosX() { return -MapMode().ViewportOrgX; }
    std::int32_t ScrollPosY() { return -MapMode().ViewportOrgY; }

    // From the device position of the logical origin, united with the device bounds of every visible object
    // that counts in the extent.
    virtual void GetContentBounds(TKelvoRect& rect);
    // The origin correction (centre small content, pull back what is scrolled past either end) and the
    // excess per axis.
    virtual void ComputeScroll(std::int32_t& dx, std::int32_t& dy, std::int32_t& excessY, std::int32_t& excessX);
    virtual void UpdateScrollBars(std::int32_t excessX, std::int32_t excessY);
    // Corrects the origin, sets up the bars and repaints all: after the content changed.
    virtual void Recalculate();
    // Recalculate, then the window's own update.
    void Update() override;

    // Moves the origin by (dx, dy) and the window's pixels with it; what comes into view is painted now.
    void ScrollBy(std::int32_t dx, std::int32_t dy);
    // Moves the origin by (dx, dy) and sets up the bars; callers limit the delta with ClampScrollDelta first.
    void Scroll(std::int32_t dx, std::int32_t dy);
    void ClampScrollDelta(std::int32_t& dx, std::int32_t& dy);
    // Scrolls so that the logical point lands in the middle of the client area, as far as the content allows.
    void CenterOn(TKelvoPoint logical);

    // The client size as it is with no scroll bar shown.
    void FullClientSize(std::int32_t& width, std::int32_t& height);

    // While held, the scroll bars stay as they are; letting go sets them up once for the content and zoom of
    // that moment (Recalculate). A view placed and given its first zoom then never shows bars that go again at
    // once: under Wine each bar shown or hidden costs a new frame and layout of the window.
    void HoldScrollBars(bool hold);

protected:
    void Resize() override;
    bool WheelNotTaken(TShiftState shift, int wheelDelta, TKelvoPoint clientPos) override;
    void WMHScroll(TMessage& message);
    void WMVScroll(TMessage& message);

private:
    void ScrollBarMessage(TMessage& message, int bar);
    // ComputeScroll's correction applied to the origin (without moving pixels); the excess comes back.
    void CorrectOrigin(std::int32_t& excessX, std::int32_t& excessY);

    std::int32_t lineStep_ = 10;
    bool inScroll_ = false;
    // Set while the bars are set up: showing or hiding one resizes the client area, and that must not set
    // them up again from inside.
    bool updatingBars_ = false;
    bool barsHeld_ = false;
};
