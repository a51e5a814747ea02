#include "app/core/KelvoViewPaint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "app/core/KelvoScrollMath.h"

namespace {

bool Contains(const TKelvoRect& r, TKelvoPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// Source coordinate of a device coordinate along one axis (source s0..s1 stretched onto d0..d1).
double ToSource(double d, double d0, double d1, double s0, double s1) { return s0 + (d - d0) * (s1 - s0) / (d1 - d0); }

}  // namespace

TKelvoRect UniteRects(const TKelvoRect& a, const TKelvoRect& b) {
    if (b.IsEmpty()) return a;
    if (a.IsEmpty()) return b;
    return TKelvoRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                      std::max(a.Bottom, b.Bottom)};
}

bool RectsMeet(const TKelvoRect& a, const TKelvoRect& b) {
    return !a.IsEmpty() && !b.IsEmpty() && a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TKelvoRect InflateRect(const TKelvoRect& r, std::int32_t d) {
    return TKelvoRect{ClampToInt32(std::int64_t(r.Left) - d), ClampToInt32(std::int64_t(r.Top) - d),
                      ClampToInt32(std::int64_t(r.Right) + d), ClampToInt32(std::int64_t(r.Bottom) + d)};
}

TKelvoRect ViewObjectDeviceBounds(std::uint8_t flags, const TKelvoRect& body, const TKelvoRect& overlay) {
    const bool hasBody = flags & KelvoViewHasBody, hasOverlay = flags & KelvoViewHasOverlay;
    if (hasBody && hasOverlay) return UniteRects(body, overlay);
    if (hasBody) return body;
    if (hasOverlay) return overlay;
    return TKelvoRect{};
}

int HitTestDevicePoint(const TKelvoRect& object, TKelvoPoint point, std::int32_t tolerance) {
    if (Contains(object, point)) return KelvoHitInside;
    if (tolerance > 0 && Contains(InflateRect(object, tolerance), point)) return KelvoHitNear;
    return KelvoHitNone;
}

int HitTestDeviceRect(const TKelvoRect& object, const TKelvoRect& rect, std::int32_t tolerance) {
    if (!rect.IsEmpty() && rect.Left >= object.Left && rect.Right <= object.Right && rect.Top >= object.Top &&
        rect.Bottom <= object.Bottom)
        return KelvoHitInside;
    if (RectsMeet(object, rect)) return KelvoHitPartly;
    if (tolerance > 0 && RectsMeet(InflateRect(object, tolerance), rect)) return KelvoHitNear;
    return KelvoHitNone;
}

TKelvoVisiblePart VisibleImagePart(const TKelvoRect& source, const TKelvoRect& dest, const TKelvoRect& clip) {
    const TKelvoRect shown = IntersectRects(dest, clip);
    if (shown.IsEmpty() || source.IsEmpty()) return TKelvoVisiblePart{};
    if (source.Width() == dest.Width() && source.Height() == dest.Height()) {
        // Same scale: a plain shift, exact to the pixel.
        const std::int64_t dx = std::int64_t(source.Left) - dest.Left, dy = std::int64_t(source.Top) - dest.Top;
        return TKelvoVisiblePart{TKelvoRect{ClampToInt32(shown.Left + dx), ClampToInt32(shown.Top + dy),
                                            ClampToInt32(shown.Right + dx), ClampToInt32(shown.Bottom + dy)},
                                 shown};
    }
    // Stretched: the whole source pixels that the shown part touches, and where exactly they land.
    const double l = std::floor(ToSource(shown.Left, dest.Left, dest.Right, source.Left, source.Right));
    const double t = std::floor(ToSource(shown.Top, dest.Top, dest.Bottom, source.Top, source.Bottom));
    const double r = std::ceil(ToSource(shown.Right, dest.Left, dest.Right, source.Left, source.Right));
    const double b = std::ceil(ToSource(shown.Bottom, dest.Top, dest.Bottom, source.Top, source.Bottom));
    TKelvoRect part{
        std::max(source.Left, ClampToInt32(std::int64_t(l))), std::max(source.Top, ClampToInt32(std::int64_t(t))),
        std::min(source.Right, ClampToInt32(std::int64_t(r))), std::min(source.Bottom, ClampToInt32(std::int64_t(b)))};
    if (part.IsEmpty()) return TKelvoVisiblePart{};
    const auto toDest = [](double s, double s0, double s1, double d0, double d1) {
        return ClampToInt32(std::int64_t(std::llround(d0 + (s - s0) * (d1 - d0) / (s1 - s0))));
    };
    const TKelvoRect at{toDest(part.Left, source.Left, source.Right, dest.Left, dest.Right),
                        toDest(part.Top, source.Top, source.Bottom, dest.Top, dest.Bottom),
                        toDest(part.Right, source.Left, source.Right, dest.Left, dest.Right),
                        toDest(part.Bottom, source.Top, source.Bottom, dest.Top, dest.Bottom)};
    return TKelvoVisiblePart{part, at};
}
