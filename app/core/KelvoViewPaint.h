// What a view paints and what a view object is hit by, in device (window client) coordinates: the flag bits
// of a view object, the hit tests, the part of an image that a clip leaves to draw, and the paint order of
// one paint over a view's objects.
#pragma once
#include <cstddef>
#include <cstdint>

#include "app/core/KelvoGeometry.h"

// Flag bits of a view object.
constexpr std::uint8_t KelvoViewVisible = 1;
constexpr std::uint8_t KelvoViewHasBody = 2;
constexpr std::uint8_t KelvoViewHasOverlay = 4;
constexpr std::uint8_t KelvoViewStandalone = 8;  // may paint itself outside a view's paint
constexpr std::uint8_t KelvoViewNoExtent = 16;   // not counted in the scrollable extent
constexpr std::uint8_t KelvoViewDefaultFlags = 15;

// Hit-test answers.
constexpr int KelvoHitNone = 0;
constexpr int KelvoHitPartly = 1;  // a rectangle overlaps the object without lying inside it
constexpr int KelvoHitNear = 2;    // within the tolerance around the object
constexpr int KelvoHitInside = 3;

// The smallest rectangle holding both; an empty one does not count (both empty: a).
TKelvoRect UniteRects(const TKelvoRect& a, const TKelvoRect& b);
// Whether two rectangles share at least one pixel.
bool RectsMeet(const TKelvoRect& a, const TKelvoRect& b);
// r grown by d on every side (in 64 bits and clamped, so that a huge tolerance cannot wrap).
TKelvoRect InflateRect(const TKelvoRect& r, std::int32_t d);

// The device bounds of an object: its body rect with a body, united with the overlay rect with an overlay
// as well; the overlay rect alone with an overlay only; empty with neither.
TKelvoRect ViewObjectDeviceBounds(std::uint8_t flags, const TKelvoRect& body, const TKelvoRect& overlay);

// A device point against an object's device rectangle: inside, within tolerance (> 0) of it, or neither.
int HitTestDevicePoint(const TKelvoRect& object, TKelvoPoint point, std::int32_t tolerance);
// A device rectangle against an object's device rectangle: wholly inside it, overlapping it, meeting it
// grown by tolerance (> 0), or none of these.
int HitTestDeviceRect(const TKelvoRect& object, const TKelvoRect& rect, std::int32_t tolerance);

// What of an image stretched from source (image pixels) onto dest (device pixels) falls inside clip: the
// source pixels that are needed and the device rectangle they cover when drawn at the same scale. Drawing
// only that part costs what the clip shows, not what the image holds. Empty (both) when nothing shows.
struct TKelvoVisiblePart {
    TKelvoRect Source;
    TKelvoRect Dest;
};
TKelvoVisiblePart VisibleImagePart(const TKelvoRect& source, const TKelvoRect& dest, const TKelvoRect& clip);

// The paint order of one paint. Objects run bottom (index 0) to top; the bodies are painted from the top
// down, each one excluding what it covers from the clip if it likes; what the clip then still holds gets the
// background; the overlays follow from the bottom up, each within the clip as it was when its object was
// visited.
//
// Canvas: bool ClipMeets(const TKelvoRect&); void PushState(Object*); bool PopState(Object*&);
//         bool ClipIsEmpty(); void FillBackground(); and the map mode, passed to the objects.
// Object: bool IsVisible(); std::uint8_t Flags(); GetDeviceBounds / GetBodyRect / GetOverlayRect(map, rect);
//         bool BeginPaint(canvas); PaintBody(canvas); PaintOverlay(canvas); EndPaint().
template <class Canvas, class Object, class MapMode>
void PaintViewObjects(Canvas& canvas, const MapMode& map, Object* const* objects, std::size_t count) {
    for (std::size_t i = count; i-- > 0;) {
        Object* object = objects[i];
        if (!object->IsVisible()) continue;
        TKelvoRect bounds;
        object->GetDeviceBounds(map, bounds);
        if (!canvas.ClipMeets(bounds) || !object->BeginPaint(canvas)) continue;
        bool deferred = false;
        TKelvoRect rect;
        if (object->Flags() & KelvoViewHasOverlay) {
            object->GetOverlayRect(map, rect);
            if (canvas.ClipMeets(rect)) {
                canvas.PushState(object);
                deferred = true;
            }
        }
        if (object->Flags() & KelvoViewHasBody) {
            object->GetBodyRect(map, rect);
            if (canvas.ClipMeets(rect)) object->PaintBody(canvas);
        }
        if (!deferred) object->EndPaint();
    }
    if (!canvas.ClipIsEmpty()) canvas.FillBackground();
    Object* object = nullptr;
    while (canvas.PopState(object)) {
        object->PaintOverlay(canvas);
        object->EndPaint();
    }
}
