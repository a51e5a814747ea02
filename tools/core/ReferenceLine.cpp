#include "tools/core/ReferenceLine.h"

#include <algorithm>
#include <cmath>

#include "tools/core/TLine.h"

namespace {

// Rounded to the nearest integer, ties to even (the default rounding mode).
double RoundEven(double v) { return std::nearbyint(v); }

bool Finite(const TTransformRecord& r) {
    for (double v : {r.M11, r.M12, r.M13, r.M21, r.M22, r.M23, r.P, r.Q})
        if (!std::isfinite(v)) return false;
    return true;
}

// The limits along one axis, seen the same way for level (top, bottom) and plumb (left, right) lines.
struct TAxisLimits {
    double& Low;
    double& High;
    bool HasLow() const { return Low < LimitAtInfinity; }
    bool HasHigh() const { return High > -LimitAtInfinity; }
};

// A rotation about the image centre by the angle whose cosine and sine are c and s.
TTransformRecord Rotation(double c, double s, double w, double h) {
    TTransformRecord r;
    r.Kind = TransformAffine;
    r.M11 = c;
    r.M12 = s;
    r.M13 = (1 - c) * w / 2 - s * h / 2;
    r.M21 = -s;
    r.M22 = c;
    r.M23 = (1 - c) * h / 2 + s * w / 2;
    return r;
}

// The keystone record that makes the line through a (at the edge) and am (across the middle) parallel to
// its partner: along y for a level line (kind 2), along x for a plumb one (kind 1); size is the image's
// extent along the line.
TTransformRecord Keystone(bool level, double e, double a, double am, double size) {
    const double offset = a - am * e;
    const double shear = -2 * offset / size;
    TTransformRecord r;
    r.Kind = level ? TransformHorizontalKeystone : TransformVerticalKeystone;
    (level ? r.M22 : r.M11) = e;
    (level ? r.M23 : r.M13) = offset;
    (level ? r.M21 : r.M12) = shear;
    (level ? r.M11 : r.M22) = 1;
    (level ? r.M12 : r.M21) = 0;
    (level ? r.M13 : r.M23) = 0;
    r.P = 2 * (1 - e) / size;
    r.Q = 2 / e - 2;
    return r;
}

// Drops a limit that lies so close to the new line (size / distance > 15, or less than half a pixel) that
// pairing with it would exaggerate the correction.
void DropNearLimits(TAxisLimits limits, double pos, double size) {
    auto tooClose = [&](double limit) {
        const double d = limit - pos;
        return RoundEven(d) == 0 || size / std::abs(d) > 15;
    };
    if (tooClose(limits.High)) limits.High = -LimitAtInfinity;
    if (tooClose(limits.Low)) limits.Low = LimitAtInfinity;
}

// The position of the partner line across the axis: a limit when one is present, else the opposite
// image border. near is true when the new line lies in the low half; lowWasZero tells whether the low
// limit rounded to 0 before the near limits were dropped.
double PartnerPosition(TAxisLimits limits, double size, bool nearLow, bool lowWasZero) {
    const double third = size / 3;
    if (limits.HasLow() || limits.HasHigh()) {
        if (!limits.HasHigh() || limits.High >= size + third) return limits.Low;
        if (RoundEven(limits.High) != size - 1 && (nearLow || lowWasZero)) return limits.High;
        return limits.Low;
    }
    return nearLow ? size - 1 : 0;
}

// Moves a limit across the other axis the way the keystone record q moves a line there.
void MoveCrossLimit(double& limit, double q, double size) {
    const double moved = (q + 1) / (q / size + 1 / limit);
    if (std::isfinite(moved)) limit = moved;
}

}  // namespace

TReferenceLineResult AddReferenceLine(std::vector<TTransformRecord>& history, TConvergenceLimits& limitsInOut,
                                      const TRealPoint& p1, const TRealPoint& p2, double h, double w) {
    const TLine line = TLine::CreateThroughPoints(p1, p2);
    if (!line.IsValid() || !(w > 0) || !(h > 0) || !std::isfinite(w) || !std::isfinite(h))
        return TReferenceLineResult::Refused;
    TConvergenceLimits limits = limitsInOut;
    const double dx = p2.X - p1.X;
    const double dy = p2.Y - p1.Y;
    const bool level = std::abs(dx) >= std::abs(dy);
    // Along the line's own axis (level: y positions, sized h) and across it.
    const double size = level ? h : w;
    const double crossSize = level ? w : h;
    TAxisLimits own = level ? TAxisLimits{limits.Top, limits.Bottom} : TAxisLimits{limits.Left, limits.Right};
    TAxisLimits cross = level ? TAxisLimits{limits.Left, limits.Right} : TAxisLimits{limits.Top, limits.Bottom};
    const double pos = level ? line.YAt(w / 2) : line.XAt(h / 2);
    if (!std::isfinite(pos)) return TReferenceLineResult::Refused;
    const double third = size / 3;
    const bool nearLow = size / 2 > pos;
    const bool central = history.empty() && third < pos && pos < size - third;
    const bool exact = level ? p1.Y == p2.Y : p1.X == p2.X;
    const double exactPos = level ? p1.Y : p1.X;

    TReferenceLineResult result;
    TTransformRecord record;
    if (exact) {
        if (central) {
            own.Low = own.High = exactPos;
            cross.Low = cross.High = crossSize / 2;
        } else if (nearLow) {
            own.Low = exactPos;
        } else {
            own.High = exactPos;
        }
        result = TReferenceLineResult::LimitsOnly;
    } else if (central) {
        const double len = std::sqrt(dx * dx + dy * dy);
        const double c = (level ? std::abs(dx) : std::abs(dy)) / len;
        const double s = level ? (dx < 0 ? -1.0 : 1.0) * (-dy) / len : (dy < 0 ? -1.0 : 1.0) * dx / len;
        record = Rotation(c, s, w, h);
        const double at = level ? (pos - record.M23) * record.M11 + (w / 2 - record.M13) * record.M12
                                : (pos - record.M13) * record.M11 - (h / 2 - record.M23) * record.M12;
        own.Low = own.High = at;
        cross.Low = cross.High = crossSize / 2;
        result = TReferenceLineResult::Levelling;
    } else {
        const bool lowWasZero = RoundEven(own.Low) == 0;
        DropNearLimits(own, pos, size);
        const double partner = PartnerPosition(own, size, nearLow, lowWasZero);
        const TLine other = level ? TLine::CreateThroughPoints({0, partner}, {w, partner})
                                  : TLine::CreateThroughPoints({partner, 0}, {partner, h});
        auto at = [&](const TLine& l, double t) { return level ? l.YAt(t) : l.XAt(t); };
        const double a = at(line, 0), b = at(other, 0);
        const double am = at(line, crossSize / 2), bm = at(other, crossSize / 2);
        const double e = (a - b) / (am - bm);
        // e = 0: the line meets its partner at the edge, and the record would divide by zero.
        if (e == 0 || !std::isfinite(e)) return TReferenceLineResult::Refused;
        own.Low = std::min(am, bm);
        own.High = std::max(am, bm);
        record = Keystone(level, e, a, am, crossSize);
        if (!Finite(record)) return TReferenceLineResult::Refused;
        if (cross.HasLow() && cross.Low > 0) MoveCrossLimit(cross.Low, record.Q, crossSize);
        if (cross.HasHigh() && cross.High < crossSize - 1) MoveCrossLimit(cross.High, record.Q, crossSize);
        result = TReferenceLineResult::Keystone;
    }
    if (result != TReferenceLineResult::LimitsOnly) {
        if (!Finite(record) || !std::isfinite(own.Low) || !std::isfinite(own.High))
            return TReferenceLineResult::Refused;
        history.push_back(record);
    }
    limitsInOut = limits;
    return result;
}

bool ApplyReferenceRectangle(TKelvoCorrectionMapping& mapping, const TConvergenceLimits& l, double w, double h,
                             double rw, double rh) {
    const bool inside =
        0 < l.Left && l.Left < l.Right && l.Right < w - 1 && 0 < l.Top && l.Top < l.Bottom && l.Bottom < h - 1;
    if (!inside) {
        mapping.ResetPreScale();
        mapping.RefRectOn = false;
        return false;
    }
    return mapping.SetReferenceRectangle(l.Right - l.Left, l.Bottom - l.Top, rw, rh, w, h);
}
