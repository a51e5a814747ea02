#include "tools/core/Persp4Setup.h"

#include <cmath>

#include "tools/core/TKelvoCorrectionMapping.h"
#include "tools/core/TLine.h"

namespace {
bool Finite(double v) { return std::isfinite(v); }
bool Finite(const TRealPoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

// z of (b - a) x (c - b); positive for a right turn on the screen (y grows downwards).
double Turn(const TRealPoint& a, const TRealPoint& b, const TRealPoint& c) {
    return (b.X - a.X) * (c.Y - b.Y) - (b.Y - a.Y) * (c.X - b.X);
}

// Where two lines meet; false when they do not (parallel, invalid or not finite).
bool Meet(const TLine& a, const TLine& b, TRealPoint& p) { return !a.IsParallel(b) && a.Intersect(b, p); }
}  // namespace

bool Persp4Pick(std::vector<TRealPoint>& points, const TRealPoint& start, const TRealPoint& end) {
    if (RealPointDistance(start, end) >= Persp4PickDistance) {
        if (points.size() + 2 > Persp4MaxPoints) return false;
        points.push_back(start);
        points.push_back(end);
        return true;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (RealPointDistance(points[i], start) < Persp4PickDistance) {
            points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    if (points.size() >= Persp4MaxPoints) return false;
    points.push_back(start);
    return true;
}

bool Persp4FindCorners(const std::vector<TRealPoint>& points, TPersp4Geometry& geometry) {
    geometry.CornersValid = false;
    if (points.empty()) return false;
    // The points turned by 45 degrees: the corners are the extremes along the two diagonals. The rounded factor
    // decides the ties and stays as it is.
    std::size_t tl = 0, br = 0, bl = 0, tr = 0;
    double minV = 0, maxV = 0, minU = 0, maxU = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double u = 0.7071 * points[i].X - 0.7071 * points[i].Y;
        const double v = 0.7071 * points[i].X + 0.7071 * points[i].Y;
        if (i == 0 || v < minV) minV = v, tl = i;
        if (i == 0 || v > maxV) maxV = v, br = i;
        if (i == 0 || u < minU) minU = u, bl = i;
        if (i == 0 || u > maxU) maxU = u, tr = i;
    }
    geometry.TL = points[tl];
    geometry.TR = points[tr];
    geometry.BL = points[bl];
    geometry.BR = points[br];
    geometry.CornersValid = tl != br && tl != bl && tl != tr && br != bl && br != tr && bl != tr;
    return geometry.CornersValid;
}

bool Persp4IsConvex(const TPersp4Geometry& g) {
    if (!Finite(g.TL) || !Finite(g.TR) || !Finite(g.BR) || !Finite(g.BL)) return false;
    // Clockwise on the screen at every corner: no three corners on one line, no crossed edges.
    return Turn(g.TL, g.TR, g.BR) > 0 && Turn(g.TR, g.BR, g.BL) > 0 && Turn(g.BR, g.BL, g.TL) > 0 &&
           Turn(g.BL, g.TL, g.TR) > 0;
}

void Persp4Derive(TPersp4Geometry& geometry, const TPersp4Reference& reference) {
    const bool picked = geometry.CornersValid;
    TPersp4Geometry g;
    g.TL = geometry.TL;
    g.TR = geometry.TR;
    g.BL = geometry.BL;
    g.BR = geometry.BR;
    geometry = g;
    if (!picked || !Persp4IsConvex(g)) return;

    const TLine left = TLine::CreateThroughPoints(g.TL, g.BL);
    const TLine right = TLine::CreateThroughPoints(g.TR, g.BR);
    const TLine top = TLine::CreateThroughPoints(g.TL, g.TR);
    const TLine bottom = TLine::CreateThroughPoints(g.BL, g.BR);
    g.SlopeTop = top.Slope();
    g.SlopeLeft = left.Slope();
    g.HasVPv = Meet(left, right, g.VPv);
    g.HasVPh = Meet(top, bottom, g.VPh);
    if (!g.HasVPv) g.VPv = TRealPoint{};
    if (!g.HasVPh) g.VPh = TRealPoint{};

    TRealPoint c;
    if (!Meet(TLine::CreateThroughPoints(g.TL, g.BR), TLine::CreateThroughPoints(g.BL, g.TR), c)) return;
    const TLine vertical = g.HasVPv ? TLine::CreateThroughPoints(g.VPv, c) : TLine::CreatePointSlope(c, g.SlopeLeft);
    const TLine horizontal = g.HasVPh ? TLine::CreateThroughPoints(g.VPh, c) : TLine::CreatePointSlope(c, g.SlopeTop);
    TRealPoint midBottom, midRight;
    if (!Meet(vertical, top, g.MidTop) || !Meet(vertical, bottom, midBottom) || !Meet(horizontal, left, g.MidLeft) ||
        !Meet(horizontal, right, midRight))
        return;

    g.Lx = midRight.X - g.MidLeft.X;
    g.Ly = midBottom.Y - g.MidTop.Y;
    const double lenX = RealPointDistance(g.MidLeft, midRight);
    const double lenY = RealPointDistance(g.MidTop, midBottom);
    const double hx = RealPointDistance(g.MidLeft, c);
    const double hy = RealPointDistance(g.MidTop, c);
    // A rectangle that is not wider and taller than nothing, or whose centre lies on an edge, has no mapping.
    if (!(g.Lx > 0 && g.Ly > 0 && hx > 0 && hy > 0 && Finite(lenX) && Finite(lenY))) return;
    g.Sx = lenX / g.Lx;
    g.Sy = lenY / g.Ly;
    g.DirLx = (c.X - g.MidLeft.X) / hx;
    g.DirLy = (c.Y - g.MidLeft.Y) / hx;
    g.DirTx = (c.X - g.MidTop.X) / hy;
    g.DirTy = (c.Y - g.MidTop.Y) / hy;
    g.Kx = lenX / hx - 2.0;
    g.Ky = lenY / hy - 2.0;
    g.X0 = g.MidLeft.X + 0.03 * g.Kx * g.Lx;
    g.Y0 = g.MidTop.Y + 0.03 * g.Ky * g.Ly;

    // r > 1: the rectangle is narrower than it looks, else lower. Scaling the output position rather than the
    // extents keeps the projective term measured along the whole edge, so the far edge is reached exactly at the
    // reduced size.
    double r = 1;
    if (reference.On && ReferenceRatio(g.Lx, g.Ly, reference.Width, reference.Height, r)) {
        if (r >= 1)
            g.RefScaleX = r;
        else
            g.RefScaleY = 1 / r;
    }
    const double derived[] = {g.SlopeTop, g.Sx, g.Sy, g.Kx, g.Ky, g.DirLx,     g.DirLy,    g.DirTx,
                              g.DirTy,    g.X0, g.Y0, g.Lx, g.Ly, g.RefScaleX, g.RefScaleY};
    for (double v : derived)
        if (!Finite(v)) return;
    // The denominators of the mapping stay above 0 across the rectangle only when the centre lies strictly
    // between the mid-points, which a convex quadrilateral guarantees unless rounding says otherwise.
    if (!(g.Kx > -1 && g.Ky > -1 && g.Sx > 0 && g.Sy > 0)) return;
    g.CornersValid = true;
    geometry = g;
}

namespace {
// The source line of an output row: the point A on the vertical mid-line and the slope m of the line through it.
struct TPersp4Row {
    double Ax, Ay, M;
};

TPersp4Row Persp4RowOf(const TPersp4Geometry& g, double y) {
    double c = (y - g.Y0) * g.RefScaleY;
    c = c * g.Sy / ((1.0 - c / g.Ly) * g.Ky + 1.0);
    const double ax = g.MidTop.X + c * g.DirTx;
    const double ay = g.MidTop.Y + c * g.DirTy;
    return {ax, ay, g.HasVPh ? (g.VPh.Y - ay) / (g.VPh.X - ax) : g.SlopeTop};
}

TRealPoint Persp4MapOnRow(const TPersp4Geometry& g, const TPersp4Row& row, double x) {
    double d = (x - g.X0) * g.RefScaleX;
    d = d * g.Sx / ((1.0 - d / g.Lx) * g.Kx + 1.0);
    const double bx = g.MidLeft.X + d * g.DirLx;
    const double by = g.MidLeft.Y + d * g.DirLy;
    double r = g.SlopeLeft;
    if (g.HasVPv) r = g.VPv.X == bx ? HUGE_VAL : (g.VPv.Y - by) / (g.VPv.X - bx);
    const double m = row.M;
    const double sx = std::isinf(r) ? bx : ((by - r * bx) - (row.Ay - m * row.Ax)) / (m - r);
    return TRealPoint{sx, row.Ay - m * row.Ax + m * sx};
}
}  // namespace

TRealPoint Persp4MapInverse(const TPersp4Geometry& g, double x, double y) {
    return Persp4MapOnRow(g, Persp4RowOf(g, y), x);
}

void Persp4MapInverseRow(const TPersp4Geometry& g, const double* xs, double y, int n, double* X, double* Y) {
    const TPersp4Row row = Persp4RowOf(g, y);
    for (int i = 0; i < n; ++i) {
        const TRealPoint p = Persp4MapOnRow(g, row, xs[i]);
        X[i] = p.X;
        Y[i] = p.Y;
    }
}

TPersp4Geometry TPersp4Setup::Setup(const TPersp4Reference& reference) {
    const TPersp4Geometry before = Geometry;
    const bool keep = Geometry.CornersValid && Points.size() < 4;
    if (!keep) Persp4FindCorners(Points, Geometry);
    Persp4Derive(Geometry, reference);
    if (!keep && Geometry.CornersValid) Points.clear();
    return before;
}

bool Persp4SizeKeyAccepted(char key, char decimalSeparator) {
    return (key >= '0' && key <= '9') || key == '\b' || key == decimalSeparator;
}
