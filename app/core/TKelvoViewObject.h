// One thing a view paints (the image, a tool's handles and frames): logical bounds in the view's map mode, a
// body painted opaquely from the top object down, and an overlay painted after all bodies from the bottom
// object up. The view also offers it the mouse and the keys, the topmost object first; the first that answers
// true takes the event.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "app/core/KelvoViewPaint.h"
#include "app/core/TKelvoMapMode.h"
#include "classlib/core/ControlTypes.h"
#include "classlib/core/TObject.h"
#include "classlib/core/TObjectList.h"
#include "classlib/core/TShortCut.h"

class TKelvoViewCanvas;

class TKelvoViewObject : public TObject {
    CLASSLIB_CLASS(TKelvoViewObject, TObject)

public:
    // Flags 15: visible, body, overlay, standalone painting.
    TKelvoViewObject() { TKelvoViewObject::Reset(); }

    std::uint8_t Flags() const { return flags_; }
    void SetFlags(std::uint8_t value) { flags_ = value; }
    bool IsVisible() const { return flags_ & KelvoViewVisible; }
    const TKelvoRect& Bounds() const { return bounds_; }

    virtual void SetVisible(bool value);
    virtual void SetBounds(const TKelvoRect& rect) { bounds_ = rect; }
    virtual void Reset() { flags_ = KelvoViewDefaultFlags; }
    // The body rect with a body, united with the overlay rect with an overlay; empty with neither.
    virtual void GetDeviceBounds(const TKelvoMapMode& map, TKelvoRect& rect);
    // Both: the logical bounds mapped to device coordinates.
    virtual void GetBodyRect(const TKelvoMapMode& map, TKelvoRect& rect);
    virtual void GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect);
    // Whether the object paints now: when it is visible.
    virtual bool BeginPaint(TKelvoViewCanvas& canvas);
    virtual void PaintBody(TKelvoViewCanvas&) {}
    virtual void PaintOverlay(TKelvoViewCanvas&) {}
    virtual void EndPaint() {}
    // Painting outside a view's paint: only with the standalone flag and when BeginPaint agrees.
    virtual void Paint(TKelvoViewCanvas& canvas);
    virtual int GetKind() { return 0; }
    // A device point (3 inside, 2 within tolerance, 0) and a device rectangle (3 inside, 1 partly, 2 within
    // tolerance, 0) against the logical bounds in device coordinates.
    virtual int HitTestPoint(const TKelvoMapMode& map, TKelvoPoint point, std::int32_t tolerance);
    virtual int HitTestRect(const TKelvoMapMode& map, const TKelvoRect& rect, std::int32_t tolerance);

    // Input offered by the view, points in device (client) coordinates; true takes the event.
    virtual bool MouseDown(TMouseButton, TShiftState, TKelvoPoint) { return false; }
    virtual bool MouseMove(TShiftState, TKelvoPoint) { return false; }
    virtual bool MouseUp(TMouseButton, TShiftState, TKelvoPoint) { return false; }
    virtual bool MouseWheel(TShiftState, int, TKelvoPoint) { return false; }
    virtual bool KeyDown(std::uint16_t&, TShiftState) { return false; }
    virtual bool KeyUp(std::uint16_t&, TShiftState) { return false; }

private:
    std::uint8_t flags_ = KelvoViewDefaultFlags;
    TKelvoRect bounds_;
};

// The objects of one view, owned, bottom (index 0) to top (last).
class TKelvoViewObjectList : public TObjectList {
    CLASSLIB_CLASS(TKelvoViewObjectList, TObjectList)

public:
    TKelvoViewObjectList() : TObjectList(true) {}
    TKelvoViewObject* Objects(int index) const { return static_cast<TKelvoViewObject*>(Items(index)); }
};

// Offers an event to the objects from the top (last) down until one takes it; true when one did. An object
// may leave the list while it is asked.
template <class F>
bool RouteTopmostFirst(const TKelvoViewObjectList& objects, F&& offer) {
    for (int i = objects.Count() - 1; i >= 0; --i) {
        if (i >= objects.Count()) continue;
        if (offer(*objects.Objects(i))) return true;
    }
    return false;
}
