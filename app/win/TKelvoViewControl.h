// A window that paints its view objects through a view canvas without flicker (no background erasing, no
// redraw of the whole window on a size change), and offers them the mouse and the keys, the topmost (last)
// object first. The map mode is the canvas's: the objects' logical bounds go through it to the window.
#pragma once
#include <cstdint>

#include "app/core/TKelvoViewObject.h"
#include "app/win/TKelvoViewCanvas.h"
#include "classlib/win/TWinControl.h"

class TKelvoViewControl : public TWinControl {
    CLASSLIB_COMPONENT(TKelvoViewControl, TWinControl)
    CLASSLIB_MESSAGES(TKelvoViewControl, CLASSLIB_ON(WM_PAINT, &TKelvoViewControl::WMPaint),
                      CLASSLIB_ON(WM_ERASEBKGND, &TKelvoViewControl::WMEraseBkgnd))

    explicit TKelvoViewControl(TComponent* owner);
    ~TKelvoViewControl() override;

    TKelvoViewObjectList& Objects() { return *objects_; }
    int ObjectCount() const { return objects_->Count(); }
    TKelvoViewObject* GetObject(int index) const { return objects_->Objects(index); }
    // Adds on top; the list owns the object.
    void AddObject(TKelvoViewObject* object) { objects_->Add(object); }
    TKelvoViewCanvas& ViewCanvas() { return *canvas_; }
    TKelvoMapMode& MapMode() { return canvas_->MapMode(); }
    // The colour where no object paints.
    COLORREF BackgroundColor() const { return canvas_->BackgroundColor(); }
    void SetBackgroundColor(COLORREF value);

    // Walks the objects from the top down until one takes the event; true when one did. An object may leave
    // the list while it is asked.
    template <class F>
    bool RouteToObjects(F&& offer) {
        return RouteTopmostFirst(*objects_, offer);
    }

    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // The paint order of the objects through the canvas; nothing when there is nothing to paint.
    void PaintView();
    // The class's events first, then the objects.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    // The wheel with the point in client coordinates, after the objects and the events left it: the base
    // does nothing with it.
    virtual bool WheelNotTaken(TShiftState shift, int wheelDelta, TKelvoPoint clientPos);
    // The delta the objects are offered: the wheel's own here.
    virtual int ObjectWheelDelta(int wheelDelta) { return wheelDelta; }

    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);

private:
    TObjectPtr<TKelvoViewObjectList> objects_;
    TObjectPtr<TKelvoViewCanvas> canvas_;
};
