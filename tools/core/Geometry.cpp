#include "tools/core/Geometry.h"

#include <cmath>

bool PointInRange(int x, int y, int maxX, int maxY) { return x >= 0 && x <= maxX && y >= 0 && y <= maxY; }

void SetRealPoint(TRealPoint& point, double x, double y) {
    point.X = x;
    point.Y = y;
}

double RealPointDistance(const TRealPoint& p, const TRealPoint& q) {
    const double dx = p.X - q.X;
    const double dy = p.Y - q.Y;
    return std::sqrt(dx * dx + dy * dy);
}

bool SameValueEps(double epsilon, double a, double b) {
    if (epsilon < 0) epsilon = ZeroTolerance;
    return std::fabs(b - a) <= epsilon;
}

bool IsZeroEps(double epsilon, double v) { return SameValueEps(epsilon, 0.0, v); }
