// One-dimensional resampling kernels with their support widths, as offered by the resize tool.
// A kernel takes a distance x >= 0 (the caller takes the absolute value) and returns a weight. The resampler
// takes any row through the one kernel interface, TPixelResampler (TFilterResampler below).
#pragma once
#include <array>

#include "app/core/TPixelResampler.h"
#include "classlib/core/Types.h"

using TResamplingKernel = double (*)(double x);

struct TResamplingFilter {
    const char* Name;  // shown to the user as it stands
    double Support;
    TResamplingKernel Kernel;
};

double BoxFilter(double x);
double TriangleFilter(double x);
double HermiteFilter(double x);
double BellFilter(double x);
double BSplineFilter(double x);
double MitchellFilter(double x);  // Mitchell-Netravali, B = C = 1/3
double Lanczos3Filter(double x);

constexpr int ResamplingFilterCount = 7;
// The seven kernels in their fixed order: box, triangle, Hermite, bell, B-spline, Mitchell, Lanczos3.
const std::array<TResamplingFilter, ResamplingFilterCount>& ResamplingFilters();

// A row of the table as a resampling kernel: the kernel of |x| over the row's support. Sums are clamped,
// since Mitchell and Lanczos3 have negative lobes (for the other kernels clamping changes nothing).
class TFilterResampler : public TPixelResampler {
public:
    explicit TFilterResampler(const TResamplingFilter& filter);
    bool RangeCheck() const override { return true; }
    double Filter(double x) const override;
    double GetWidth() const override { return filter_.Support; }

private:
    TResamplingFilter filter_;
};
