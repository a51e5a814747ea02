// The part of a geometric correction that the perspective and the four-point tools share: the radial
// lens term, the output pre-scales, the forward search, the sampling rule and the render loop. A
// derived class supplies its own inverse mapping (output position to source position, without the lens).
//
// Non-finite positions are never turned into pixel indexes: they sample the outside colour.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoPixels.h"
#include "tools/core/Bicubic.h"
#include "tools/core/Geometry.h"

// Receives the progress of a render: Start(max) sets the maximum and empties the bar, StepIt advances it.
class IKelvoProgress {
public:
    virtual ~IKelvoProgress() = default;
    virtual void Start(int max) = 0;
    virtual void StepIt() = 0;
};

// Crop types of the correction tools.
constexpr std::int32_t CropKeepSize = 0;
constexpr std::int32_t CropToInscribed = 1;
constexpr std::int32_t CropStretchInscribed = 2;

class TKelvoCorrectionMapping {
public:
    virtual ~TKelvoCorrectionMapping() = default;

    // Radial lens term: k, whether it applies, whether it is already part of the source pixels, and the
    // centre and radius (set by SetLensFrame at the start of every render).
    double LensK = 0.0;
    bool LensOn = false;
    bool LensApplied = false;
    double LensCX = 0.0;
    double LensCY = 0.0;
    double LensS = 0.0;

    // Pre-scale of the reference rectangle, in force while RefRectOn.
    double OutFactorX = 1.0;
    double OutOffsetX = 0.0;
    double OutFactorY = 1.0;
    double OutOffsetY = 0.0;
    bool RefRectOn = false;

    // Pre-scale of the stretch crop type: spreads the inscribed rectangle over the whole image. It is
    // applied before the reference rectangle's pre-scale, so both can be in force at once.
    double StretchFactorX = 1.0;
    double StretchOffsetX = 0.0;
    double StretchFactorY = 1.0;
    double StretchOffsetY = 0.0;

    std::int32_t CropType = CropKeepSize;
    // 0: nearest pixel; non-zero: bicubic.
    Byte Quality = 0;

    // True when the derived mapping has something to apply (for the perspective tool: a non-empty history).
    virtual bool HasGeometry() const = 0;
    // Output position to source position, without the lens term and without any pre-scale.
    virtual TRealPoint MapGeometry(double x, double y) const = 0;
    // MapGeometry for n positions (xs[i], y) of one row. An override must give exactly the values of
    // MapGeometry; the default calls it for each position.
    virtual void MapGeometryRow(const double* xs, double y, int n, double* X, double* Y) const;

    bool IsActive() const { return HasGeometry() || LensOn; }

    // Centre = the middle of imageRect, radius = the larger half-size (the vertical one on a tie).
    void SetLensFrame(const TKelvoRect& imageRect);
    void ResetPreScale();
    // The reference rectangle's pre-scale: the output of a w x h image is stretched along one axis about its
    // middle, so that a span of spanX by spanY output pixels takes the proportions refWidth : refHeight. In
    // force (RefRectOn) only when ReferenceRatio accepts the lengths; otherwise the pre-scale is the identity
    // and RefRectOn false. Returns RefRectOn.
    bool SetReferenceRectangle(double spanX, double spanY, double refWidth, double refHeight, double w, double h);
    void ResetStretch();

    // The lens term alone (identity when LensOn is false or the radius is not positive).
    TRealPoint MapLens(double x, double y) const;
    // MapGeometry, then the lens term.
    TRealPoint MapInverse(double x, double y) const;
    // The reference rectangle's pre-scale when RefRectOn, then MapInverse.
    TRealPoint MapInverseScaled(double x, double y) const;
    // The output position whose MapInverseScaled image is (tx, ty), found by a pattern search that ends
    // after a bounded number of steps on any input.
    TRealPoint MapForward(double tx, double ty) const;
    // The colour of output pixel (x, y) from a 24-bit source.
    TBGRPixel SampleOutputPixel(const TKelvoPixels& source, std::int32_t x, std::int32_t y) const;

    // Output pixel position after the pre-scales that SampleOutputPixel applies.
    double PreScaleX(double x) const;
    double PreScaleY(double y) const;

    // Writes SampleOutputPixel(x, y) for every pixel of area (clipped to target) into target, row by row.
    // Source and target are 24-bit and must not share memory. Progress: Start(columns), steps that add up
    // to the number of columns, Start(columns) again at the end.
    void RenderArea(const TKelvoPixels& source, TKelvoPixels& target, const TKelvoRect& area,
                    IKelvoProgress* progress) const;
};

// The proportion spanX * refHeight / (spanY * refWidth) of a reference rectangle of refWidth x refHeight (real
// units) drawn over a span of spanX x spanY pixels. False, and ratio untouched, unless the four lengths and the
// proportion are finite and above 0: an empty entry or one that is not a number never scales the image.
bool ReferenceRatio(double spanX, double spanY, double refWidth, double refHeight, double& ratio);

// How a pixel is taken from the source at the mapped position (X, Y): rounded to the nearest pixel (ties
// to even); outside the source (or not finite): the outside colour; bicubic when quality is non-zero and
// X, Y >= 0; else the nearest pixel. Writes 3 bytes.
void SampleSourceAt(const TKelvoPixels& source, double X, double Y, Byte quality, Byte* out);

// The quality a render runs with: a preview (0) is promoted to bicubic (2) unless the image reaches at
// least 1.5 times the desktop's right and bottom; any other quality stays.
Byte EffectiveRenderQuality(Byte quality, const TKelvoRect& imageRect, const TKelvoRect& desktopRect);

// The render of the correction tools after the edit has begun: prepares the lens frame, applies the crop
// type and writes the corrected pixels of the source into target, or, with nothing to correct, copies the
// source back and drops the stretch. Returns the image area the document takes.
TKelvoRect RenderCorrection(TKelvoCorrectionMapping& mapping, const TKelvoPixels& source, TKelvoPixels& target,
                            const TKelvoRect& imageRect, IKelvoProgress* progress);
