#include "themed/core/ScrollBarLayout.h"

#include <algorithm>
#include <cmath>

namespace skin {

int RoundEven(double v) { return int(std::nearbyint(v)); }

int PageSize(const TScrollBarState& s) {
    if (s.window > 0) return s.window;
    return s.vertical ? s.height : s.width;
}

bool ScrollBarNeeded(const TScrollBarState& s) { return PageSize(s) < s.range; }

int ClampScrollPosition(const TScrollBarState& s, int value) {
    return std::max(0, std::min(value, s.range - PageSize(s)));
}

int StepPosition(const TScrollBarState& s, int zone) {
    const int page = PageSize(s);
    switch (zone) {
        case 1: return ClampScrollPosition(s, s.position - s.increment);
        case 2: return ClampScrollPosition(s, s.position - page);
        case 4: return ClampScrollPosition(s, s.position + page);
        case 5: return ClampScrollPosition(s, s.position + s.increment);
        default: return s.position;
    }
}

TScrollBarZones LayoutScrollBar(const TScrollBarState& s) {
    TScrollBarZones z;
    const int length = std::max(0, s.vertical ? s.height : s.width);
    const int thickness = std::max(0, s.vertical ? s.width : s.height);
    // A span [from, to) along the bar across its whole thickness.
    auto span = [&](int from, int to) {
        if (to <= from) return TRect{};
        return s.vertical ? Rect(0, from, thickness, to) : Rect(from, 0, to, thickness);
    };
    int arrow = thickness;
    if (2 * thickness >= length - 2) arrow = std::max(0, (length - 2) / 2);
    z.arrow = arrow;
    z.zone[1] = span(0, arrow);
    z.zone[5] = span(length - arrow, length);
    const int track = length - 2 * arrow;
    const int page = PageSize(s);
    if (page < s.range && track > 12) {
        int thumb = RoundEven(double(track) * page / s.range);
        int offset;
        if (thumb < 8) {
            thumb = 8;
            offset = RoundEven(double(track - 8) * s.position / (s.range - page));
        } else {
            offset = RoundEven(double(track) * s.position / s.range);
        }
        offset = std::clamp(offset, 0, track - thumb);
        const int thumbStart = arrow + offset;
        z.zone[2] = span(arrow, thumbStart);
        z.zone[3] = span(thumbStart, thumbStart + thumb);
        z.zone[4] = span(thumbStart + thumb, length - arrow);
    } else {
        z.disabledTrack = span(arrow, length - arrow);
    }
    return z;
}

int ZoneAt(const TScrollBarZones& z, TPoint p) {
    for (int i = 1; i <= 5; ++i) {
        if (z.zone[std::size_t(i)].Contains(p)) return i;
    }
    return 0;
}

int DragThumbPosition(const TScrollBarState& s, const TScrollBarZones& z, int pressPosition, int delta) {
    // The track from the start of zone 2 to the end of zone 4 (zone 2 may be empty: then the thumb's start).
    const TRect& first = z.zone[2].IsEmpty() ? z.zone[3] : z.zone[2];
    const TRect& last = z.zone[4].IsEmpty() ? z.zone[3] : z.zone[4];
    const int track = s.vertical ? last.Bottom - first.Top : last.Right - first.Left;
    if (track <= 0 || s.range <= 0) return s.position;
    const int page = PageSize(s);
    int move;
    if (RoundEven(double(track) * page / s.range) > 7) {
        move = RoundEven(double(delta) * s.range / track);
    } else {
        if (track <= 8) return s.position;
        move = RoundEven(double(delta) * (s.range - page) / (track - 8));
    }
    return ClampScrollPosition(s, pressPosition + move);
}

}  // namespace skin
