// One step of a perspective correction: an affine map or a vertical or horizontal keystone.
// Records are kept in a history, oldest first, and copied whole into undo states.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"

constexpr Byte TransformAffine = 0;
constexpr Byte TransformVerticalKeystone = 1;
constexpr Byte TransformHorizontalKeystone = 2;

struct TTransformRecord {
    // 2x3 affine matrix; M13 and M23 are the translations.
    double M11 = 1.0;
    double M12 = 0.0;
    double M13 = 0.0;
    double M21 = 0.0;
    double M22 = 1.0;
    double M23 = 0.0;
    Byte Kind = TransformAffine;
    // Perspective coefficients of a keystone record (0 in an affine record).
    double P = 0.0;
    double Q = 0.0;
    friend bool operator==(const TTransformRecord&, const TTransformRecord&) = default;
};
