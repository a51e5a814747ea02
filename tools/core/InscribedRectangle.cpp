#include "tools/core/InscribedRectangle.h"

#include <cmath>

namespace {
// Rounds a position (ties to even) after limiting it to -1 .. max + 1: no non-finite or huge value becomes
// an integer, and a border that lands outside the image still leaves an empty rectangle.
std::int32_t RoundInto(double v, std::int32_t max) {
    if (!(v >= -1.0)) return -1;
    if (v > max + 1.0) return max + 1;
    return static_cast<std::int32_t>(std::nearbyint(v));
}

bool Inside(const TRealPoint& p, std::int32_t xmax, std::int32_t ymax) {
    return p.X >= 0.0 && p.X <= xmax && p.Y >= 0.0 && p.Y <= ymax;
}

bool RowInside(const TKelvoCorrectionMapping& m, std::int32_t y, std::int32_t x0, std::int32_t x1, std::int32_t xmax,
               std::int32_t ymax) {
    for (std::int32_t x = x0; x <= x1; ++x)
        if (!Inside(m.MapInverseScaled(x, y), xmax, ymax)) return false;
    return true;
}

bool ColumnInside(const TKelvoCorrectionMapping& m, std::int32_t x, std::int32_t y0, std::int32_t y1, std::int32_t xmax,
                  std::int32_t ymax) {
    for (std::int32_t y = y0; y <= y1; ++y)
        if (!Inside(m.MapInverseScaled(x, y), xmax, ymax)) return false;
    return true;
}
}  // namespace

TInscribedRect FindInscribedRectangle(const TKelvoCorrectionMapping& m, std::int32_t w, std::int32_t h) {
    TInscribedRect r;
    if (w <= 0 || h <= 0) return r;
    const std::int32_t xmax = w - 1;
    const std::int32_t ymax = h - 1;

    // Initial bounds: where the source borders land in the output.
    r.Top = 0;
    for (std::int32_t x = 0; x <= xmax; ++x) {
        const TRealPoint p = m.MapForward(x, 0);
        if (p.Y > r.Top && p.X >= 0.0 && p.X <= xmax) r.Top = RoundInto(p.Y, ymax);
    }
    r.Right = xmax;
    for (std::int32_t y = 0; y <= ymax; ++y) {
        const TRealPoint p = m.MapForward(xmax, y);
        if (p.X < r.Right && p.Y >= 0.0 && p.Y <= ymax) r.Right = RoundInto(p.X, xmax);
    }
    r.Bottom = ymax;
    for (std::int32_t x = 0; x <= xmax; ++x) {
        const TRealPoint p = m.MapForward(x, ymax);
        if (p.Y < r.Bottom && p.X >= 0.0 && p.X <= xmax) r.Bottom = RoundInto(p.Y, ymax);
    }
    r.Left = 0;
    for (std::int32_t y = 0; y <= ymax; ++y) {
        const TRealPoint p = m.MapForward(0, y);
        if (p.X > r.Left && p.Y >= 0.0 && p.Y <= ymax) r.Left = RoundInto(p.X, xmax);
    }

    // Where the border's images are not straight (a keystone moves rows as well), a side found so can still
    // hold a pixel that maps outside the source, which would show white in the corner: such a side moves
    // inwards until its row or column maps inside.
    for (bool moved = true; moved && !r.IsEmpty();) {
        moved = false;
        if (!RowInside(m, r.Top, r.Left, r.Right, xmax, ymax)) {
            ++r.Top;
            moved = true;
        }
        if (!r.IsEmpty() && !RowInside(m, r.Bottom, r.Left, r.Right, xmax, ymax)) {
            --r.Bottom;
            moved = true;
        }
        if (!r.IsEmpty() && !ColumnInside(m, r.Left, r.Top, r.Bottom, xmax, ymax)) {
            ++r.Left;
            moved = true;
        }
        if (!r.IsEmpty() && !ColumnInside(m, r.Right, r.Top, r.Bottom, xmax, ymax)) {
            --r.Right;
            moved = true;
        }
    }
    if (r.IsEmpty()) return r;
    return GrowInscribedRectangle(m, w, h, r);
}

TInscribedRect GrowInscribedRectangle(const TKelvoCorrectionMapping& m, std::int32_t w, std::int32_t h,
                                      TInscribedRect r) {
    const std::int32_t xmax = w - 1;
    const std::int32_t ymax = h - 1;
    // Sides only move outwards and stop at the border, so the passes end.
    for (;;) {
        bool moved = false;
        if (r.Top >= 1) {
            if (RowInside(m, r.Top - 1, r.Left, r.Right, xmax, ymax)) {
                --r.Top;
                moved = true;
            }
        }
        if (r.Bottom < ymax) {
            if (RowInside(m, r.Bottom + 1, r.Left, r.Right, xmax, ymax)) {
                ++r.Bottom;
                moved = true;
            }
        }
        if (r.Left >= 1) {
            if (ColumnInside(m, r.Left - 1, r.Top, r.Bottom, xmax, ymax)) {
                --r.Left;
                moved = true;
            }
        }
        if (r.Right < xmax) {
            if (ColumnInside(m, r.Right + 1, r.Top, r.Bottom, xmax, ymax)) {
                ++r.Right;
                moved = true;
            }
        }
        if (!moved) break;
    }
    return r;
}

TKelvoRect ApplyCropType(TKelvoCorrectionMapping& m, const TKelvoRect& fullRect) {
    m.ResetStretch();
    if (m.CropType != CropToInscribed && m.CropType != CropStretchInscribed) return fullRect;
    const std::int32_t w = static_cast<std::int32_t>(fullRect.Width());
    const std::int32_t h = static_cast<std::int32_t>(fullRect.Height());
    const TInscribedRect r = FindInscribedRectangle(m, w, h);
    if (r.IsEmpty()) return fullRect;
    if (m.CropType == CropToInscribed) {
        return MakeRect(fullRect.Left + r.Left, fullRect.Top + r.Top, fullRect.Right - w + r.Right + 1,
                        fullRect.Bottom - h + r.Bottom + 1);
    }
    m.StretchFactorX = static_cast<double>(r.Right - r.Left + 1) / w;
    m.StretchOffsetX = r.Left;
    m.StretchFactorY = static_cast<double>(r.Bottom - r.Top + 1) / h;
    m.StretchOffsetY = r.Top;
    return fullRect;
}
