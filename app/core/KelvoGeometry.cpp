#include "app/core/KelvoGeometry.h"

#include "app/core/KelvoArithmetic.h"
#include "classlib/core/Checked.h"

namespace {

// a.Width() and friends in checked int32 arithmetic.
std::int32_t Width(const TKelvoRect& r) { return CheckedSub(r.Right, r.Left); }
std::int32_t Height(const TKelvoRect& r) { return CheckedSub(r.Bottom, r.Top); }

}  // namespace

int CompareRectInside(const TKelvoRect& a, const TKelvoRect& b) {
    const bool overlap = a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
    if (!overlap) return 0;
    if (a.Left >= b.Left && a.Right <= b.Right && a.Top >= b.Top && a.Bottom <= b.Bottom) return 2;
    return 1;
}

TKelvoRect InflateRectBy(const TKelvoRect& rect, std::int32_t dx, std::int32_t dy) {
    return TKelvoRect{CheckedSub(rect.Left, dx), CheckedSub(rect.Top, dy), CheckedAdd(rect.Right, dx),
                      CheckedAdd(rect.Bottom, dy)};
}

TKelvoRect FitAspectRect(const TKelvoRect& source, const TKelvoRect& destination) {
    std::int32_t sw = Width(source), sh = Height(source);
    if (sw == 0) sw = 1;
    if (sh == 0) sh = 1;
    const std::int32_t dw = Width(destination), dh = Height(destination);
    TKelvoRect r = destination;
    // dh / sh > dw / sw, compared exactly by cross-multiplying in 64 bits.
    if (std::int64_t(dh) * sw > std::int64_t(dw) * sh) {
        const std::int32_t h = MulDivFloor(sh, dw, sw);
        r.Top = CheckedAdd(destination.Top, CheckedSub(dh, h) / 2);
        r.Bottom = CheckedAdd(r.Top, h);
    } else {
        const std::int32_t w = MulDivFloor(sw, dh, sh);
        r.Left = CheckedAdd(destination.Left, CheckedSub(dw, w) / 2);
        r.Right = CheckedAdd(r.Left, w);
    }
    return r;
}

TKelvoRect CenterRect(const TKelvoRect& inner, const TKelvoRect& outer) {
    const std::int32_t w = Width(inner), h = Height(inner);
    const std::int32_t left = CheckedSub(CheckedAdd(outer.Left, outer.Right) / 2, w / 2);
    const std::int32_t top = CheckedSub(CheckedAdd(outer.Top, outer.Bottom) / 2, h / 2);
    return TKelvoRect{left, top, CheckedAdd(left, w), CheckedAdd(top, h)};
}
