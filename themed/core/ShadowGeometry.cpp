#include "themed/core/ShadowGeometry.h"

#include <algorithm>

namespace skin {

int ChooseShadowMode(bool noAlpha, bool haveUpdateLayeredWindow, bool haveAlphaBlend) {
    if (!noAlpha && haveUpdateLayeredWindow && haveAlphaBlend) return 1;
    if (noAlpha) return 0;
    return haveAlphaBlend ? 2 : 0;
}

int EffectiveShadowSize(int size, bool noAlpha, bool haveUpdateLayeredWindow, bool haveAlphaBlend) {
    if (noAlpha || (!haveUpdateLayeredWindow && !haveAlphaBlend)) return size / 2;
    return size;
}

TShadowSpans SplitShadow(int length, int thickness, unsigned ends) {
    TShadowSpans s;
    if (length <= 0) return s;
    s.start = (ends & shadowSoftStart) ? thickness : 0;
    s.end = (ends & shadowSoftEnd) ? thickness : 0;
    if (s.start + s.end > length) {
        if (s.start && s.end) {
            s.start = s.end = length / 2;
        } else {
            s.start = s.start ? length : 0;
            s.end = s.end ? length : 0;
        }
    }
    s.middle = length - s.start - s.end;
    return s;
}

namespace {

std::uint8_t StraightAlpha(int d, int thickness) { return std::uint8_t(255 - d * 256 / thickness); }

// along: distance from the corner's edge where the straight part continues; across: distance from the
// popup's edge; m: the larger side of the corner.
std::uint8_t CornerAlpha(int along, int across, int m) {
    const int g = ((std::max(along, across) + along + across) << 7) / m;
    return g > 254 ? 0 : std::uint8_t(255 - g);
}

// The alpha of the pixel at position p along the piece and d across it (d = 0 at the popup).
std::uint8_t PieceAlpha(const TShadowSpans& s, int length, int thickness, int p, int d) {
    if (p < s.start) return CornerAlpha(s.start - 1 - p, d, std::max(s.start, thickness));
    if (p >= length - s.end) return CornerAlpha(p - (length - s.end), d, std::max(s.end, thickness));
    return StraightAlpha(d, thickness);
}

}  // namespace

namespace {
// The alpha map of a piece: along its length (width when horizontal) the spans, across it the ramp.
std::vector<std::uint8_t> PieceAlphaMap(int width, int height, unsigned ends, bool horizontal) {
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint8_t> a(std::size_t(width) * std::size_t(height));
    const int length = horizontal ? width : height;
    const int thickness = horizontal ? height : width;
    const TShadowSpans s = SplitShadow(length, thickness, ends);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            a[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                horizontal ? PieceAlpha(s, length, thickness, x, y) : PieceAlpha(s, length, thickness, y, x);
    return a;
}
}  // namespace

std::vector<std::uint8_t> HorzShadowAlpha(int width, int height, unsigned ends) {
    return PieceAlphaMap(width, height, ends, true);
}

std::vector<std::uint8_t> VertShadowAlpha(int width, int height, unsigned ends) {
    return PieceAlphaMap(width, height, ends, false);
}

namespace {

std::vector<TShadowPiece> AlonePieces(const TRect& r, int size) {
    std::vector<TShadowPiece> pieces;
    if (size <= 0 || r.IsEmpty()) return pieces;
    const TShadowPiece right{Rect(r.Right, r.Top + size, r.Right + size, r.Bottom), false, shadowSoftStart};
    const TShadowPiece below{Rect(r.Left + size, r.Bottom, r.Right + size, r.Bottom + size), true,
                             shadowSoftStart | shadowSoftEnd};
    if (!right.bounds.IsEmpty()) pieces.push_back(right);
    if (!below.bounds.IsEmpty()) pieces.push_back(below);
    return pieces;
}

bool Touches(const TRect& a, const TRect& b) {
    const bool spanX = a.Left < b.Right && b.Left < a.Right;
    const bool spanY = a.Top < b.Bottom && b.Top < a.Bottom;
    return (spanX && (a.Bottom == b.Top || a.Top == b.Bottom)) || (spanY && (a.Right == b.Left || a.Left == b.Right));
}

bool Overlap(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Cuts the part of the piece that lies on r: dropped when it covers the piece across its whole thickness
// from one end, the cut end made hard. Covering only part of the thickness leaves the piece as it is.
bool CutPiece(TShadowPiece& p, const TRect& r) {
    TRect& b = p.bounds;
    if (!Overlap(b, r)) return true;
    if (p.horizontal) {
        if (r.Top > b.Top || r.Bottom < b.Bottom) return true;
        if (r.Left <= b.Left && r.Right >= b.Right) return false;
        if (r.Left <= b.Left) {
            b.Left = r.Right;
            p.ends &= ~unsigned(shadowSoftStart);
        } else if (r.Right >= b.Right) {
            b.Right = r.Left;
            p.ends &= ~unsigned(shadowSoftEnd);
        }
    } else {
        if (r.Left > b.Left || r.Right < b.Right) return true;
        if (r.Top <= b.Top && r.Bottom >= b.Bottom) return false;
        if (r.Top <= b.Top) {
            b.Top = r.Bottom;
            p.ends &= ~unsigned(shadowSoftStart);
        } else if (r.Bottom >= b.Bottom) {
            b.Bottom = r.Top;
            p.ends &= ~unsigned(shadowSoftEnd);
        }
    }
    return !b.IsEmpty();
}

}  // namespace

std::vector<TShadowPiece> ShadowPieces(const TRect& popup, const TRect& opener, int size) {
    if (opener.IsEmpty() || !Touches(popup, opener)) return AlonePieces(popup, size);
    std::vector<TShadowPiece> pieces = AlonePieces(popup, size);
    for (const TShadowPiece& p : AlonePieces(opener, size)) pieces.push_back(p);
    std::vector<TShadowPiece> kept;
    for (TShadowPiece p : pieces) {
        if (CutPiece(p, popup) && CutPiece(p, opener)) kept.push_back(p);
    }
    return kept;
}

}  // namespace skin
