// The inverse mapping of the four-point tool: the quadrilateral of its corners onto an axis-parallel rectangle.
#pragma once
#include "tools/core/Persp4Setup.h"
#include "tools/core/TKelvoCorrectionMapping.h"

class TKelvoPersp4Mapping : public TKelvoCorrectionMapping {
public:
    TPersp4Geometry Geometry;

    bool HasGeometry() const override { return Geometry.CornersValid; }
    TRealPoint MapGeometry(double x, double y) const override { return Persp4MapInverse(Geometry, x, y); }
    void MapGeometryRow(const double* xs, double y, int n, double* X, double* Y) const override {
        Persp4MapInverseRow(Geometry, xs, y, n, X, Y);
    }
};
