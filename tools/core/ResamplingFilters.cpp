#include "tools/core/ResamplingFilters.h"

#include <cmath>

double BoxFilter(double) { return 1.0; }

double TriangleFilter(double x) { return x < 1.0 ? 1.0 - x : 0.0; }

double HermiteFilter(double x) { return x < 1.0 ? x * x * (2.0 * x - 3.0) + 1.0 : 0.0; }

double BellFilter(double x) {
    if (x < 0.5) return 0.75 - x * x;
    if (x < 1.5) {
        const double t = x - 1.5;
        return 0.5 * t * t;
    }
    return 0.0;
}

double BSplineFilter(double x) {
    if (x < 1.0) return 0.5 * x * x * x - x * x + 2.0 / 3.0;
    if (x < 2.0) {
        const double t = 2.0 - x;
        return t * t * t / 6.0;
    }
    return 0.0;
}

double MitchellFilter(double x) {
    if (x < 1.0) return 7.0 / 6.0 * x * x * x - 2.0 * x * x + 8.0 / 9.0;
    if (x < 2.0) return -7.0 / 18.0 * x * x * x + 2.0 * x * x - 10.0 / 3.0 * x + 16.0 / 9.0;
    return 0.0;
}

double Lanczos3Filter(double x) {
    // The editor's windowed sinc of radius 3: sin(pi x) sin(pi x / 3) / (pi^2 x^2 / 3), 1 at 0, 0 from 3 on.
    static const TLanczosResampler lanczos(3.0);
    return lanczos.Filter(x);
}

TFilterResampler::TFilterResampler(const TResamplingFilter& filter) : filter_(filter) {}

double TFilterResampler::Filter(double x) const { return filter_.Kernel(std::fabs(x)); }

const std::array<TResamplingFilter, ResamplingFilterCount>& ResamplingFilters() {
    static const std::array<TResamplingFilter, ResamplingFilterCount> table{{
        {"No (quickest)", 0.0, &BoxFilter},
        {"Triangle (quick)", 1.0, &TriangleFilter},
        {"Hermite", 1.0, &HermiteFilter},
        {"Bell", 1.5, &BellFilter},
        {"B-Spline", 2.0, &BSplineFilter},
        {"Mitchell", 2.0, &MitchellFilter},
        {"Lanczos3 (slow)", 3.0, &Lanczos3Filter},
    }};
    return table;
}
