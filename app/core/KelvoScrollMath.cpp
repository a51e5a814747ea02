#include "app/core/KelvoScrollMath.h"

#include <algorithm>
#include <limits>

namespace {

// The origin correction of one axis.
std::int32_t OriginCorrection(std::int32_t origin, std::int32_t excess) {
    const std::int64_t o = origin, e = excess;
    if (e < 0) return ClampToInt32(-e / 2 - o);  // centred
    if (-o > e) return ClampToInt32(-e - o);     // scrolled past the end
    if (o > 0) return ClampToInt32(-o);          // scrolled before the start
    return 0;
}

std::int32_t ClampAxis(std::int32_t delta, std::int32_t origin, std::int32_t excess) {
    if (delta == 0) return 0;
    if (excess <= 0) return 0;
    const std::int64_t o = origin, d = delta, e = excess;
    if (d < 0 && o + d < -e) return ClampToInt32(-e - o);
    if (d > 0 && o + d > 0) return ClampToInt32(-o);
    return delta;
}

}  // namespace

TKelvoScrollResult ComputeScroll(const TKelvoScrollInput& in) {
    std::int64_t ex = std::int64_t(in.ContentWidth) - in.ClientWidth;
    std::int64_t ey = std::int64_t(in.ContentHeight) - in.ClientHeight;
    // A bar on one axis takes room from the other, which may then need its bar too.
    if (ey >= 1) {
        ex += in.VBarWidth;
        if (ex > 0) ey += in.HBarHeight;
    } else if (ex >= 1) {
        ey += in.HBarHeight;
        if (ey > 0) ex += in.VBarWidth;
    }
    TKelvoScrollResult r;
    r.ExcessX = ClampToInt32(ex);
    r.ExcessY = ClampToInt32(ey);
    r.DeltaX = OriginCorrection(in.OriginX, r.ExcessX);
    r.DeltaY = OriginCorrection(in.OriginY, r.ExcessY);
    return r;
}

void ClampScrollDelta(std::int32_t& dx, std::int32_t& dy, std::int32_t originX, std::int32_t originY,
                      std::int32_t excessX, std::int32_t excessY) {
    dx = ClampAxis(dx, originX, excessX);
    dy = ClampAxis(dy, originY, excessY);
}

std::int32_t KelvoMulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return 0;
    const std::int64_t p = std::int64_t(a) * b;
    const bool negative = (p < 0) != (c < 0);
    const std::int64_t ap = p < 0 ? -p : p, ac = c < 0 ? -std::int64_t(c) : c;
    const std::int64_t q = (ap + ac / 2) / ac;
    return ClampToInt32(negative ? -q : q);
}

std::int32_t ScrollRequestDelta(std::int32_t request, const TKelvoScrollBarState& bar, std::int32_t lineStep) {
    std::int64_t delta = 0;
    switch (request) {
        case KelvoLineUp: delta = -std::int64_t(lineStep); break;
        case KelvoLineDown: delta = lineStep; break;
        case KelvoPageUp: delta = -std::int64_t(KelvoMulDiv(bar.Page, 3, 4)); break;
        case KelvoPageDown: delta = KelvoMulDiv(bar.Page, 3, 4); break;
        case KelvoThumbTrack: delta = std::int64_t(bar.TrackPos) - bar.Pos; break;
        default: return 0;
    }
    const std::int64_t last = std::int64_t(bar.Max) - bar.Page + 1;
    if (last <= bar.Min) return 0;  // no range to move in
    if (bar.Pos + delta < bar.Min) delta = std::int64_t(bar.Min) - bar.Pos;
    if (bar.Pos + delta > last) delta = last - bar.Pos;
    return ClampToInt32(delta);
}

TKelvoScrollBarSetting ScrollBarSetting(std::int32_t excess, std::int32_t client, std::int32_t origin) {
    TKelvoScrollBarSetting s;
    const std::int64_t e = std::max<std::int32_t>(excess, 0), page = std::max<std::int32_t>(client, 0);
    s.Page = std::int32_t(page);
    s.Max = ClampToInt32(std::max<std::int64_t>(e + page - 1, 0));
    s.Pos = ClampToInt32(std::clamp<std::int64_t>(-std::int64_t(origin), 0, e));
    return s;
}
