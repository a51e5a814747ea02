// Reference lines of the perspective tool: a line the user draws along an edge that should be level or
// plumb becomes one transform record. The first line near the middle of an uncorrected image levels it (a
// rotation); every other line becomes a keystone record that makes it parallel to a partner line: a line
// drawn before (kept as a convergence limit) or the opposite image border. The four limits also feed the
// reference rectangle, which gives a rectangle of known proportions its true aspect ratio.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/core/Geometry.h"
#include "tools/core/TKelvoCorrectionMapping.h"
#include "tools/core/TTransformRecord.h"

// A low limit at infinity holds +LimitAtInfinity, a high limit -LimitAtInfinity.
constexpr double LimitAtInfinity = 1e6;

struct TConvergenceLimits {
    // x of the left and right plumb reference lines.
    double Left = LimitAtInfinity;
    double Right = -LimitAtInfinity;
    // y of the top and bottom level reference lines.
    double Top = LimitAtInfinity;
    double Bottom = -LimitAtInfinity;

    bool HasLeft() const { return Left < LimitAtInfinity; }
    bool HasRight() const { return Right > -LimitAtInfinity; }
    bool HasTop() const { return Top < LimitAtInfinity; }
    bool HasBottom() const { return Bottom > -LimitAtInfinity; }
    friend bool operator==(const TConvergenceLimits&, const TConvergenceLimits&) = default;
};

enum class TReferenceLineResult {
    Refused,     // no line, or one whose record would not be finite: nothing changed
    LimitsOnly,  // an exactly level or plumb line: only the limits changed
    Levelling,   // a rotation record was appended
    Keystone,    // a keystone record was appended
};

// Turns the line p1-p2 (image coordinates of an image of width w and height h) into a record appended to
// history and updates limits. A line through two equal points, a non-finite point, or a keystone whose
// line meets its partner at the image edge (the record would divide by zero) is refused: history and
// limits stay as they were.
TReferenceLineResult AddReferenceLine(std::vector<TTransformRecord>& history, TConvergenceLimits& limits,
                                      const TRealPoint& p1, const TRealPoint& p2, double h, double w);

// Sets the reference rectangle's pre-scale of mapping (TKelvoCorrectionMapping::SetReferenceRectangle) so
// that the rectangle between the four limits takes the proportions of the real width rw and height rh. Only
// while all four limits lie inside the image (0 < Left < Right < w - 1, 0 < Top < Bottom < h - 1) and the
// sizes are accepted; otherwise the pre-scale is the identity. Returns mapping.RefRectOn.
bool ApplyReferenceRectangle(TKelvoCorrectionMapping& mapping, const TConvergenceLimits& limits, double w, double h,
                             double rw, double rh);
