// The frame of a floating themed toolbar or panel: the theme paints its border, caption and close button
// (hot while the pointer is over it), and a move that keeps its size snaps its edges to the work area of
// its monitor when they come nearer than the snap distance.
#pragma once
#include "classlib/core/MessageDispatch.h"
#include "toolbar/win/TTBFloatingWindowParent.h"

class TSkinFloatingWindowParent : public TTBFloatingWindowParent {
    CLASSLIB_COMPONENT(TSkinFloatingWindowParent, TTBFloatingWindowParent)
    CLASSLIB_MESSAGES(TSkinFloatingWindowParent,
                      CLASSLIB_ON(WM_WINDOWPOSCHANGING, &TSkinFloatingWindowParent::WMWindowPosChanging),
                      CLASSLIB_ON(WM_NCMOUSEMOVE, &TSkinFloatingWindowParent::WMNCMouseMove),
                      CLASSLIB_ON(WM_NCMOUSELEAVE, &TSkinFloatingWindowParent::WMNCMouseLeave),
                      CLASSLIB_ON(WM_MOUSELEAVE, &TSkinFloatingWindowParent::WMMouseLeave),
                      CLASSLIB_ON(WM_ERASEBKGND, &TSkinFloatingWindowParent::WMEraseBkgnd))

    explicit TSkinFloatingWindowParent(TComponent* owner) : TTBFloatingWindowParent(owner) {}

    int SnapDistance() const { return snapDistance_; }
    void SetSnapDistance(int value) { snapDistance_ = value < 0 ? 0 : value; }
    bool CloseButtonHot() const { return closeButtonHot_; }

    void DrawNCArea(bool drawToDC, HDC dc, HRGN clip, int parts) override;

protected:
    void WMWindowPosChanging(TMessage& message);
    void WMNCMouseMove(TMessage& message);
    void WMNCMouseLeave(TMessage& message);
    void WMMouseLeave(TMessage& message);
    void WMEraseBkgnd(TMessage& message);

private:
    void SetCloseButtonHot(bool value);

    int snapDistance_ = 0;
    bool closeButtonHot_ = false;
};
