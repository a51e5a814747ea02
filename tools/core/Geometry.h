// Plane geometry in double precision for the correction tools: a real point and the small point helpers.
#pragma once

// Coefficients and differences at or below this magnitude count as zero.
constexpr double ZeroTolerance = 1e-8;

struct TRealPoint {
    double X = 0.0;
    double Y = 0.0;
    friend bool operator==(const TRealPoint&, const TRealPoint&) = default;
};

inline TRealPoint MakeRealPoint(double x, double y) { return TRealPoint{x, y}; }

// True when 0 <= x <= maxX and 0 <= y <= maxY (callers pass width - 1 and height - 1).
bool PointInRange(int x, int y, int maxX, int maxY);
void SetRealPoint(TRealPoint& point, double x, double y);
double RealPointDistance(const TRealPoint& p, const TRealPoint& q);
// True when |b - a| <= epsilon; a negative epsilon stands for ZeroTolerance.
bool SameValueEps(double epsilon, double a, double b);
bool IsZeroEps(double epsilon, double v);
