#include "app/core/TPixelResampler.h"

#include <cmath>

namespace {
constexpr double Pi = 3.14159265358979323846;
}

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    const double px = Pi * x;
    return std::sin(px) / px;
}

double TWindowedSincResampler::Filter(double x) const {
    const double a = std::fabs(x);
    if (a >= radius_) return 0.0;
    return Sinc(a) * Window(a);
}

double TLanczosResampler::Window(double x) const { return Sinc(x / radius_); }
