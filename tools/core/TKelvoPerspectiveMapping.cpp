#include "tools/core/TKelvoPerspectiveMapping.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// One record with its strength-scaled constants worked out once. The expressions keep the order of
// evaluation of the record formulas, so the results are the same as evaluating those directly.
struct TPreparedRecord {
    Byte Kind;
    // Affine.
    double M11, M12, M13, M21, M22, M23;
    // Keystone (kind 1 along y, kind 2 along x).
    double Along;      // g*(M22 - 1) + 1 (kind 1) or g*(M11 - 1) + 1 (kind 2)
    double AlongOff;   // g*M23 (kind 1) or g*M13 (kind 2)
    double GQ;         // g*Q
    double Size;       // H (kind 1) or W (kind 2)
    double GP;         // g*P
    double Across;     // g*(M11 - 1) + 1 (kind 1) or g*(M22 - 1) + 1 (kind 2)
    double GCross;     // g*M12 (kind 1) or g*M21 (kind 2)
    double AcrossOff;  // g*M13 (kind 1) or g*M23 (kind 2)
};

TPreparedRecord Prepare(const TTransformRecord& r, double g, double w, double h) {
    TPreparedRecord p{};
    p.Kind = r.Kind;
    p.M11 = r.M11;
    p.M12 = r.M12;
    p.M13 = r.M13;
    p.M21 = r.M21;
    p.M22 = r.M22;
    p.M23 = r.M23;
    if (r.Kind == TransformVerticalKeystone) {
        p.Along = g * (r.M22 - 1.0) + 1.0;
        p.AlongOff = g * r.M23;
        p.GQ = g * r.Q;
        p.Size = h;
        p.GP = g * r.P;
        p.Across = g * (r.M11 - 1.0) + 1.0;
        p.GCross = g * r.M12;
        p.AcrossOff = g * r.M13;
    } else if (r.Kind == TransformHorizontalKeystone) {
        p.Along = g * (r.M11 - 1.0) + 1.0;
        p.AlongOff = g * r.M13;
        p.GQ = g * r.Q;
        p.Size = w;
        p.GP = g * r.P;
        p.Across = g * (r.M22 - 1.0) + 1.0;
        p.GCross = g * r.M21;
        p.AcrossOff = g * r.M23;
    }
    return p;
}

inline void Apply(const TPreparedRecord& r, double& x, double& y) {
    switch (r.Kind) {
        case TransformAffine: {
            const double nx = r.M11 * x + r.M12 * y + r.M13;
            const double ny = r.M21 * x + r.M22 * y + r.M23;
            x = nx;
            y = ny;
            break;
        }
        case TransformVerticalKeystone: {
            const double v = y * r.Along + r.AlongOff;
            const double ny = v / (r.GQ * (1.0 - v / r.Size) + 1.0);
            x = r.GP * x * ny + x * r.Across + r.GCross * ny + r.AcrossOff;
            y = ny;
            break;
        }
        case TransformHorizontalKeystone: {
            const double v = x * r.Along + r.AlongOff;
            const double nx = v / (r.GQ * (1.0 - v / r.Size) + 1.0);
            y = r.GP * y * nx + y * r.Across + r.GCross * nx + r.AcrossOff;
            x = nx;
            break;
        }
        default: break;
    }
}
// The x part of a vertical keystone over a row whose new y is ny everywhere: Apply's expression, two
// positions at a time where the processor has SSE2 (the same operations in the same order, so the same bits).
void KeystoneAcrossRow(const TPreparedRecord& r, double ny, double* X, double* Y, int n) {
    const double cross = r.GCross * ny;
    int i = 0;
#if defined(__SSE2__)
    const __m128d gp = _mm_set1_pd(r.GP), vny = _mm_set1_pd(ny), across = _mm_set1_pd(r.Across);
    const __m128d vcross = _mm_set1_pd(cross), off = _mm_set1_pd(r.AcrossOff);
    for (; i + 2 <= n; i += 2) {
        const __m128d x = _mm_loadu_pd(X + i);
        __m128d v = _mm_mul_pd(_mm_mul_pd(gp, x), vny);
        v = _mm_add_pd(v, _mm_mul_pd(x, across));
        v = _mm_add_pd(_mm_add_pd(v, vcross), off);
        _mm_storeu_pd(X + i, v);
        _mm_storeu_pd(Y + i, vny);
    }
#endif
    for (; i < n; ++i) {
        const double x = X[i];
        X[i] = r.GP * x * ny + x * r.Across + cross + r.AcrossOff;
        Y[i] = ny;
    }
}
}  // namespace

bool TKelvoPerspectiveMapping::IsUsable(const TTransformRecord& r) const {
    const double values[] = {r.M11, r.M12, r.M13, r.M21, r.M22, r.M23, r.P, r.Q};
    for (double v : values)
        if (!std::isfinite(v)) return false;
    switch (r.Kind) {
        case TransformAffine: return true;
        case TransformVerticalKeystone: return RefHeight > 0;
        case TransformHorizontalKeystone: return RefWidth > 0;
        default: return false;
    }
}

TRealPoint TKelvoPerspectiveMapping::MapGeometry(double x, double y) const {
    double X;
    double Y;
    MapGeometryRow(&x, y, 1, &X, &Y);
    return TRealPoint{X, Y};
}

void TKelvoPerspectiveMapping::MapGeometryRow(const double* xs, double y, int n, double* X, double* Y) const {
    for (int i = 0; i < n; ++i) {
        X[i] = xs[i];
        Y[i] = y;
    }
    // While every Y of the row holds the same value, a vertical keystone's new y (two divisions) is the same for
    // the whole row and is worked out once; the same expression on the same value gives the same bits.
    bool sameY = true;
    const double g = std::isfinite(Strength) ? Strength : 1.0;
    for (auto it = History.rbegin(); it != History.rend(); ++it) {
        if (!IsUsable(*it)) continue;
        const TPreparedRecord r = Prepare(*it, g, RefWidth, RefHeight);
        if (r.Kind == TransformVerticalKeystone && sameY && n > 0) {
            const double v = Y[0] * r.Along + r.AlongOff;
            const double ny = v / (r.GQ * (1.0 - v / r.Size) + 1.0);
            KeystoneAcrossRow(r, ny, X, Y, n);
            continue;
        }
        sameY = false;
        for (int i = 0; i < n; ++i) Apply(r, X[i], Y[i]);
    }
}

void TKelvoPerspectiveMapping::Reset() {
    History.clear();
    RefWidth = 0;
    RefHeight = 0;
    RefRectOn = false;
    ResetPreScale();
    ResetStretch();
}
