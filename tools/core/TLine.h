// A straight line A*x + B*y + C = 0. Every constructor scales the coefficients so that the largest
// magnitude is 1 (signs kept). Input that defines no line (two equal points, a non-finite point or
// slope) gives an invalid line: all three coefficients 0, IsValid() false, parallel to every line, and
// Intersect refuses it, so nothing non-finite ever leaves this class.
#pragma once

#include "tools/core/Geometry.h"

class TLine {
public:
    TLine() = default;

    static TLine CreateThroughPoints(const TRealPoint& p1, const TRealPoint& p2);
    // The line through p perpendicular to line.
    static TLine CreatePerpendicular(const TLine& line, const TRealPoint& p);
    // The line through p parallel to line.
    static TLine CreateParallel(const TLine& line, const TRealPoint& p);
    // An infinite slope (either sign) gives the vertical line x = p.X.
    static TLine CreatePointSlope(const TRealPoint& p, double slope);

    double A = 0.0;
    double B = 0.0;
    double C = 0.0;

    bool IsValid() const { return valid_; }
    // Divides A, B and C by max(|A|, |B|, |C|); a line without a finite non-zero coefficient becomes invalid.
    void Normalize();
    // |A*other.B - B*other.A| <= 1e-8. An invalid line is parallel to everything.
    bool IsParallel(const TLine& other) const;
    // -A/B, or +infinity when B = 0.
    double Slope() const;
    // -C/B, or +infinity when B = 0.
    double Intercept() const;
    double YAt(double x) const;
    double XAt(double y) const;
    // The intersection point. False (point untouched) when either line is invalid, the lines are parallel,
    // or the result is not finite.
    bool Intersect(const TLine& other, TRealPoint& point) const;

private:
    TLine(double a, double b, double c);
    bool valid_ = false;
};
