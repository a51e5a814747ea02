#include "app/core/TKelvoViewObject.h"

void TKelvoViewObject::SetVisible(bool value) {
    flags_ = value ? std::uint8_t(flags_ | KelvoViewVisible) : std::uint8_t(flags_ & ~KelvoViewVisible);
}

void TKelvoViewObject::GetDeviceBounds(const TKelvoMapMode& map, TKelvoRect& rect) {
    TKelvoRect body, overlay;
    if (flags_ & KelvoViewHasBody) GetBodyRect(map, body);
    if (flags_ & KelvoViewHasOverlay) GetOverlayRect(map, overlay);
    rect = ViewObjectDeviceBounds(flags_, body, overlay);
}

void TKelvoViewObject::GetBodyRect(const TKelvoMapMode& map, TKelvoRect& rect) {
    rect = map.LogicalToDeviceRect(bounds_);
}

void TKelvoViewObject::GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) {
    rect = map.LogicalToDeviceRect(bounds_);
}

bool TKelvoViewObject::BeginPaint(TKelvoViewCanvas&) { return IsVisible(); }

void TKelvoViewObject::Paint(TKelvoViewCanvas& canvas) {
    if (!(flags_ & KelvoViewStandalone) || !BeginPaint(canvas)) return;
    if (flags_ & KelvoViewHasBody) PaintBody(canvas);
    if (flags_ & KelvoViewHasOverlay) PaintOverlay(canvas);
    EndPaint();
}

int TKelvoViewObject::HitTestPoint(const TKelvoMapMode& map, TKelvoPoint point, std::int32_t tolerance) {
    return HitTestDevicePoint(map.LogicalToDeviceRect(bounds_), point, tolerance);
}

int TKelvoViewObject::HitTestRect(const TKelvoMapMode& map, const TKelvoRect& rect, std::int32_t tolerance) {
    return HitTestDeviceRect(map.LogicalToDeviceRect(bounds_), rect, tolerance);
}
