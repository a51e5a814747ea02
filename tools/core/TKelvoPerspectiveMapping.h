// The inverse mapping of the perspective tool: its history of transform records, run from the newest to
// the oldest, with the keystone records scaled by the perspective strength.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/core/TKelvoCorrectionMapping.h"
#include "tools/core/TTransformRecord.h"

class TKelvoPerspectiveMapping : public TKelvoCorrectionMapping {
public:
    // Oldest first.
    std::vector<TTransformRecord> History;
    // Size of the image when the last reference line was drawn (W and H of the keystone records).
    std::int32_t RefWidth = 0;
    std::int32_t RefHeight = 0;
    // Perspective strength g: 0 makes every keystone record the identity, 1 applies it fully.
    double Strength = 1.0;

    bool HasGeometry() const override { return !History.empty(); }
    TRealPoint MapGeometry(double x, double y) const override;
    void MapGeometryRow(const double* xs, double y, int n, double* X, double* Y) const override;

    // Empties the history, zeroes the reference size and drops both pre-scales (the lens settings and
    // the strength belong to the tool's controls and stay).
    void Reset();

    // True when the record can be applied: finite coefficients, a known kind, and for a keystone a
    // positive reference size along its axis. Other records are passed over as the identity.
    bool IsUsable(const TTransformRecord& record) const;
};
