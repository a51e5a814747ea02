#include "demo/core/KelvoBalloonLayout.h"

#include <algorithm>

namespace {

constexpr std::int32_t kTail = 16;

TKelvoBalloonLayout Build(TSize text, TPoint at, std::int32_t corner) {
    const std::int32_t w = text.cx, h = text.cy;
    TKelvoBalloonLayout layout;
    layout.Corner = corner;
    layout.Body = Rect(0, 0, w + 16, h + 16);
    switch (corner) {
        case 1: layout.Tail = {TPoint{16, 0}, TPoint{16, -16}, TPoint{32, 0}}; break;
        case 2: layout.Tail = {TPoint{w, 0}, TPoint{w, -16}, TPoint{w - 16, 0}}; break;
        case 3: layout.Tail = {TPoint{15, h + 15}, TPoint{15, h + 31}, TPoint{31, h + 15}}; break;
        default: layout.Tail = {TPoint{w - 1, h + 15}, TPoint{w - 1, h + 31}, TPoint{w - 17, h + 15}}; break;
    }
    const bool tailUp = corner == 1 || corner == 2;
    if (tailUp) {
        // The whole shape moves down so that the tip is on the window's top row.
        layout.Body = Rect(0, kTail, w + 16, h + 16 + kTail);
        for (TPoint& p : layout.Tail) p.Y += kTail;
    }
    layout.Text = tailUp ? Rect(12, 24, w + 12, h + 24) : Rect(12, 8, w + 12, h + 8);
    const TPoint tip = layout.Tip();
    layout.Window = Bounds(at.X - tip.X, at.Y - tip.Y, w + 16, h + 32);
    return layout;
}

std::int32_t Overhang(std::int32_t low, std::int32_t high, std::int32_t min, std::int32_t max) {
    return std::max(0, min - low) + std::max(0, high - max);
}

std::int32_t OverhangX(const TKelvoBalloonLayout& l, const TRect& m) {
    return Overhang(l.Window.Left, l.Window.Right, m.Left, m.Right);
}

std::int32_t OverhangY(const TKelvoBalloonLayout& l, const TRect& m) {
    return Overhang(l.Window.Top, l.Window.Bottom, m.Top, m.Bottom);
}

}  // namespace

std::int32_t AutomaticBalloonCorner(TPoint at, const TRect& monitor) {
    std::int32_t corner = at.X - monitor.Left > monitor.Width() / 2 ? 4 : 3;
    if (at.Y - monitor.Top <= monitor.Height() / 2) corner -= 2;
    return corner;
}

TKelvoBalloonLayout LayoutBalloon(TSize text, TPoint at, std::int32_t corner, const TRect& monitor) {
    if (corner < 1 || corner > 4) corner = AutomaticBalloonCorner(at, monitor);
    TKelvoBalloonLayout layout = Build(text, at, corner);
    // 1 <-> 2 and 3 <-> 4 mirror left and right; 1 <-> 3 and 2 <-> 4 up and down.
    const std::int32_t acrossX = layout.Corner + (layout.Corner % 2 == 1 ? 1 : -1);
    if (OverhangX(layout, monitor) > 0) {
        TKelvoBalloonLayout mirrored = Build(text, at, acrossX);
        if (OverhangX(mirrored, monitor) < OverhangX(layout, monitor)) layout = mirrored;
    }
    const std::int32_t acrossY = layout.Corner <= 2 ? layout.Corner + 2 : layout.Corner - 2;
    if (OverhangY(layout, monitor) > 0) {
        TKelvoBalloonLayout mirrored = Build(text, at, acrossY);
        if (OverhangY(mirrored, monitor) < OverhangY(layout, monitor)) layout = mirrored;
    }
    return layout;
}
