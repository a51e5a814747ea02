// Resampling kernels: a weight for a distance in source pixels.
#pragma once

class TPixelResampler {
public:
    virtual ~TPixelResampler() = default;
    // True when the kernel has negative lobes, so that sums must be clamped to 0..255.
    virtual bool RangeCheck() const { return false; }
    virtual double Filter(double x) const = 0;
    // Support radius in source pixels.
    virtual double GetWidth() const = 0;
};

// sin(pi x) / (pi x), and 1 at 0.
double Sinc(double x);

class TWindowedSincResampler : public TPixelResampler {
public:
    explicit TWindowedSincResampler(double radius = 3.0) : radius_(radius) {}
    bool RangeCheck() const override { return true; }
    double GetWidth() const override { return radius_; }
    // 0 outside the radius, else Sinc(|x|) x Window(|x|).
    double Filter(double x) const override;
    virtual double Window(double x) const = 0;

protected:
    double radius_;
};

class TLanczosResampler : public TWindowedSincResampler {
public:
    using TWindowedSincResampler::TWindowedSincResampler;
    double Window(double x) const override;
};
