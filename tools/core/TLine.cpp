#include "tools/core/TLine.h"

#include <cmath>
#include <limits>

namespace {
bool Finite(const TRealPoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }
}  // namespace

TLine::TLine(double a, double b, double c) : A(a), B(b), C(c), valid_(true) { Normalize(); }

TLine TLine::CreateThroughPoints(const TRealPoint& p1, const TRealPoint& p2) {
    if (!Finite(p1) || !Finite(p2)) return TLine();
    const double a = p2.Y - p1.Y;
    const double b = p1.X - p2.X;
    return TLine(a, b, -(p1.X * a + p1.Y * b));
}

TLine TLine::CreatePerpendicular(const TLine& line, const TRealPoint& p) {
    if (!line.valid_ || !Finite(p)) return TLine();
    return TLine(-line.B, line.A, line.B * p.X - line.A * p.Y);
}

TLine TLine::CreateParallel(const TLine& line, const TRealPoint& p) {
    if (!line.valid_ || !Finite(p)) return TLine();
    const double a = line.A;
    const double b = line.B;
    return TLine(a, b, -(a * p.X + b * p.Y));
}

TLine TLine::CreatePointSlope(const TRealPoint& p, double slope) {
    if (!Finite(p) || std::isnan(slope)) return TLine();
    if (std::isinf(slope)) return TLine(1.0, 0.0, -p.X);
    return TLine(-slope, 1.0, slope * p.X - p.Y);
}

void TLine::Normalize() {
    const double m = std::fmax(std::fabs(A), std::fmax(std::fabs(B), std::fabs(C)));
    // A line needs a direction: A and B both zero (two equal points) defines nothing.
    if (!(m > 0.0) || !std::isfinite(m) || (A == 0.0 && B == 0.0)) {
        A = B = C = 0.0;
        valid_ = false;
        return;
    }
    A /= m;
    B /= m;
    C /= m;
    valid_ = true;
}

bool TLine::IsParallel(const TLine& other) const {
    if (!valid_ || !other.valid_) return true;
    return std::fabs(A * other.B - B * other.A) <= 1e-8;
}

double TLine::Slope() const {
    if (B == 0.0) return std::numeric_limits<double>::infinity();
    return -A / B;
}

double TLine::Intercept() const {
    if (B == 0.0) return std::numeric_limits<double>::infinity();
    return -C / B;
}

double TLine::YAt(double x) const { return -(A * x + C) / B; }

double TLine::XAt(double y) const { return -(B * y + C) / A; }

bool TLine::Intersect(const TLine& other, TRealPoint& point) const {
    if (!valid_ || !other.valid_) return false;
    double x;
    double y;
    if (B == 0.0) {
        x = -C / A;
        y = other.YAt(x);
    } else if (other.B == 0.0) {
        x = -other.C / other.A;
        y = YAt(x);
    } else if (A == 0.0) {
        y = -C / B;
        x = other.XAt(y);
    } else if (other.A == 0.0) {
        y = -other.C / other.B;
        x = XAt(y);
    } else {
        x = (Intercept() - other.Intercept()) / (other.Slope() - Slope());
        y = YAt(x);
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    point.X = x;
    point.Y = y;
    return true;
}
