#include "tools/core/TKelvoCorrectionMapping.h"

#include <cmath>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "classlib/core/Exceptions.h"
#include "tools/core/InscribedRectangle.h"
#include "tools/core/SampleRow.h"

namespace {
// The lens term on one position; shared by the single-point and the row paths so both agree bit for bit.
inline void LensTerm(double k, double cx, double cy, double s, double& x, double& y) {
    const double e = (x - cx) / s;
    const double f = (y - cy) / s;
    const double h = k * (e * e + f * f - 1.0) + 1.0;
    x = cx + s * e * h;
    y = cy + s * f * h;
}

// LensTerm over a row. When every Y of the row holds the same bits, the y share of the term is worked out
// once; the rest runs two positions at a time where the processor has SSE2. Both give LensTerm's bits: the
// same operations on the same values in the same order.
void LensRow(double k, double cx, double cy, double s, double* X, double* Y, int n) {
    bool sameY = n > 0;
    for (int i = 1; i < n && sameY; ++i) sameY = std::memcmp(&Y[i], &Y[0], sizeof(double)) == 0;
    int i = 0;
    if (sameY) {
        const double f = (Y[0] - cy) / s;
        const double ff = f * f;
        const double sf = s * f;
#if defined(__SSE2__)
        const __m128d vk = _mm_set1_pd(k), vcx = _mm_set1_pd(cx), vcy = _mm_set1_pd(cy), vs = _mm_set1_pd(s);
        const __m128d vff = _mm_set1_pd(ff), vsf = _mm_set1_pd(sf), one = _mm_set1_pd(1.0);
        for (; i + 2 <= n; i += 2) {
            const __m128d e = _mm_div_pd(_mm_sub_pd(_mm_loadu_pd(X + i), vcx), vs);
            const __m128d t = _mm_sub_pd(_mm_add_pd(_mm_mul_pd(e, e), vff), one);
            const __m128d h = _mm_add_pd(_mm_mul_pd(vk, t), one);
            _mm_storeu_pd(X + i, _mm_add_pd(vcx, _mm_mul_pd(_mm_mul_pd(vs, e), h)));
            _mm_storeu_pd(Y + i, _mm_add_pd(vcy, _mm_mul_pd(vsf, h)));
        }
#endif
        for (; i < n; ++i) {
            const double e = (X[i] - cx) / s;
            const double h = k * (e * e + ff - 1.0) + 1.0;
            X[i] = cx + s * e * h;
            Y[i] = cy + sf * h;
        }
        return;
    }
#if defined(__SSE2__)
    const __m128d vk = _mm_set1_pd(k), vcx = _mm_set1_pd(cx), vcy = _mm_set1_pd(cy), vs = _mm_set1_pd(s);
    const __m128d one = _mm_set1_pd(1.0);
    for (; i + 2 <= n; i += 2) {
        const __m128d e = _mm_div_pd(_mm_sub_pd(_mm_loadu_pd(X + i), vcx), vs);
        const __m128d f = _mm_div_pd(_mm_sub_pd(_mm_loadu_pd(Y + i), vcy), vs);
        const __m128d t = _mm_sub_pd(_mm_add_pd(_mm_mul_pd(e, e), _mm_mul_pd(f, f)), one);
        const __m128d h = _mm_add_pd(_mm_mul_pd(vk, t), one);
        _mm_storeu_pd(X + i, _mm_add_pd(vcx, _mm_mul_pd(_mm_mul_pd(vs, e), h)));
        _mm_storeu_pd(Y + i, _mm_add_pd(vcy, _mm_mul_pd(_mm_mul_pd(vs, f), h)));
    }
#endif
    for (; i < n; ++i) LensTerm(k, cx, cy, s, X[i], Y[i]);
}

// The forward search stops moving in one direction after this many moves, so that a mapping whose error
// keeps shrinking towards infinity cannot hold the search for ever.
constexpr int MaxMovesPerDirection = 4096;
}  // namespace

void TKelvoCorrectionMapping::MapGeometryRow(const double* xs, double y, int n, double* X, double* Y) const {
    for (int i = 0; i < n; ++i) {
        const TRealPoint p = MapGeometry(xs[i], y);
        X[i] = p.X;
        Y[i] = p.Y;
    }
}

void TKelvoCorrectionMapping::SetLensFrame(const TKelvoRect& imageRect) {
    const double halfW = static_cast<double>(imageRect.Width()) / 2.0;
    const double halfH = static_cast<double>(imageRect.Height()) / 2.0;
    // The centre of the visible area, also when the area does not start at the image origin.
    LensCX = imageRect.Left + halfW;
    LensCY = imageRect.Top + halfH;
    LensS = halfW > halfH ? halfW : halfH;
}

void TKelvoCorrectionMapping::ResetPreScale() {
    OutFactorX = 1.0;
    OutOffsetX = 0.0;
    OutFactorY = 1.0;
    OutOffsetY = 0.0;
}

void TKelvoCorrectionMapping::ResetStretch() {
    StretchFactorX = 1.0;
    StretchOffsetX = 0.0;
    StretchFactorY = 1.0;
    StretchOffsetY = 0.0;
}

bool ReferenceRatio(double spanX, double spanY, double refWidth, double refHeight, double& ratio) {
    auto positive = [](double v) { return std::isfinite(v) && v > 0.0; };
    if (!positive(spanX) || !positive(spanY) || !positive(refWidth) || !positive(refHeight)) return false;
    const double d = spanX * refHeight / (spanY * refWidth);
    if (!positive(d)) return false;
    ratio = d;
    return true;
}

bool TKelvoCorrectionMapping::SetReferenceRectangle(double spanX, double spanY, double refWidth, double refHeight,
                                                    double w, double h) {
    ResetPreScale();
    double d = 1.0;
    RefRectOn = ReferenceRatio(spanX, spanY, refWidth, refHeight, d);
    if (!RefRectOn) return false;
    if (d >= 1.0) {
        OutFactorX = d;
        OutOffsetX = (1.0 - d) * w / 2.0;
    } else {
        OutFactorY = 1.0 / d;
        OutOffsetY = (1.0 - 1.0 / d) * h / 2.0;
    }
    return true;
}

TRealPoint TKelvoCorrectionMapping::MapLens(double x, double y) const {
    if (LensOn && LensS > 0.0) LensTerm(LensK, LensCX, LensCY, LensS, x, y);
    return TRealPoint{x, y};
}

TRealPoint TKelvoCorrectionMapping::MapInverse(double x, double y) const {
    TRealPoint p{x, y};
    if (HasGeometry()) p = MapGeometry(x, y);
    return MapLens(p.X, p.Y);
}

TRealPoint TKelvoCorrectionMapping::MapInverseScaled(double x, double y) const {
    if (RefRectOn) {
        x = x * OutFactorX + OutOffsetX;
        y = y * OutFactorY + OutOffsetY;
    }
    return MapInverse(x, y);
}

TRealPoint TKelvoCorrectionMapping::MapForward(double tx, double ty) const {
    auto error = [&](double x, double y) {
        const TRealPoint p = MapInverseScaled(x, y);
        const double dx = tx - p.X;
        const double dy = ty - p.Y;
        return dx * dx + dy * dy;
    };
    double x = tx;
    double y = ty;
    double best = error(x, y);
    for (double step = 128.0; step >= 0.0625; step /= 4.0) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if (dx == 0 && dy == 0) continue;
                for (int moves = 0; moves < MaxMovesPerDirection; ++moves) {
                    const double cx = x + dx * step;
                    const double cy = y + dy * step;
                    const double e = error(cx, cy);
                    if (!(e < best)) break;  // also ends on NaN
                    x = cx;
                    y = cy;
                    best = e;
                }
            }
        }
        if (best < 0.001) break;
    }
    return TRealPoint{x, y};
}

double TKelvoCorrectionMapping::PreScaleX(double x) const {
    if (CropType == CropStretchInscribed) x = x * StretchFactorX + StretchOffsetX;
    if (RefRectOn) x = x * OutFactorX + OutOffsetX;
    return x;
}

double TKelvoCorrectionMapping::PreScaleY(double y) const {
    if (CropType == CropStretchInscribed) y = y * StretchFactorY + StretchOffsetY;
    if (RefRectOn) y = y * OutFactorY + OutOffsetY;
    return y;
}

TBGRPixel TKelvoCorrectionMapping::SampleOutputPixel(const TKelvoPixels& source, std::int32_t x, std::int32_t y) const {
    if (source.BytesPerPixel() != 3) throw EInvalidGraphic("The correction needs 24-bit pixels");
    const TRealPoint p = MapInverse(PreScaleX(x), PreScaleY(y));
    Byte out[3];
    SampleSourceAt(source, p.X, p.Y, Quality, out);
    return TBGRPixel{out[0], out[1], out[2]};
}

void SampleSourceAt(const TKelvoPixels& source, double X, double Y, Byte quality, Byte* out) {
    const double left = source.Left();
    const double top = source.Top();
    const double right = left + source.Width();
    const double bottom = top + source.Height();
    // Anything that cannot round into the source (NaN and infinities included) is outside.
    if (!(X > left - 1.0 && X < right + 1.0 && Y > top - 1.0 && Y < bottom + 1.0)) {
        out[0] = out[1] = out[2] = 0xFF;
        return;
    }
    const auto ix = static_cast<std::int32_t>(std::nearbyint(X));
    const auto iy = static_cast<std::int32_t>(std::nearbyint(Y));
    if (ix < left || ix >= right || iy < top || iy >= bottom) {
        out[0] = out[1] = out[2] = 0xFF;
        return;
    }
    if (quality != 0 && X >= 0.0 && Y >= 0.0) {
        const auto tyi = static_cast<std::int32_t>(Y);
        const auto txi = static_cast<std::int32_t>(X);
        const int ty = static_cast<int>(std::nearbyint((Y - tyi) * BicubicSteps));
        const int tx = static_cast<int>(std::nearbyint((X - txi) * BicubicSteps));
        const std::int64_t x0 = std::int64_t(txi) - 1;
        const std::int64_t y0 = std::int64_t(tyi) - 1;
        if (x0 >= left && x0 + 3 < right && y0 >= top && y0 + 3 < bottom) {
            const Byte* r0 = source.PixelAddress(std::int32_t(x0), std::int32_t(y0));
            const std::intptr_t stride = source.Stride();
            bicubic_detail::Combine(BicubicWeights().Weights[ty][tx], r0, r0 + stride, r0 + 2 * stride, r0 + 3 * stride,
                                    out);
        } else {
            bicubic_detail::SampleAt(source, tyi, txi, ty, tx, out);
        }
        return;
    }
    const Byte* p = source.PixelAddress(ix, iy);
    out[0] = p[0];
    out[1] = p[1];
    out[2] = p[2];
}

void TKelvoCorrectionMapping::RenderArea(const TKelvoPixels& source, TKelvoPixels& target, const TKelvoRect& area,
                                         IKelvoProgress* progress) const {
    if (source.BytesPerPixel() != 3 || target.BytesPerPixel() != 3)
        throw EInvalidGraphic("The correction needs 24-bit pixels");
    const TKelvoRect clip = IntersectRects(area, target.GetBounds());
    const int columns = area.IsEmpty() ? 0 : static_cast<int>(area.Width());
    if (progress) progress->Start(columns);
    if (clip.IsEmpty()) {
        if (progress) progress->Start(columns);
        return;
    }
    // Reading the memory being written would mix corrected pixels into the correction.
    if (source.Bits() != nullptr && source.Bits() == target.Bits())
        throw EInvalidOperation("The correction cannot render into its own source");

    const int n = static_cast<int>(clip.Width());
    const int rows = static_cast<int>(clip.Height());
    // Rows are mapped and sampled a piece at a time, so that the positions stay in the nearest cache between
    // the steps; every position is worked out on its own, so the pieces give the bytes of whole rows.
    constexpr int Piece = 512;
    std::vector<double> xs(n), X(Piece), Y(Piece);
    // The pre-scale along x is the same on every row.
    for (int i = 0; i < n; ++i) xs[i] = PreScaleX(clip.Left + i);
    const bool geometry = HasGeometry();
    const bool lens = LensOn && LensS > 0.0;
    const double k = LensK, cx = LensCX, cy = LensCY, s = LensS;
    const Byte quality = Quality;

    int stepsDone = 0;
    for (int row = 0; row < rows; ++row) {
        const std::int32_t y = clip.Top + row;
        const double py = PreScaleY(y);
        Byte* out = target.PixelAddress(clip.Left, y);
        for (int first = 0; first < n; first += Piece) {
            const int count = n - first < Piece ? n - first : Piece;
            if (geometry) {
                MapGeometryRow(xs.data() + first, py, count, X.data(), Y.data());
            } else {
                for (int i = 0; i < count; ++i) {
                    X[i] = xs[first + i];
                    Y[i] = py;
                }
            }
            if (lens) LensRow(k, cx, cy, s, X.data(), Y.data(), count);
            SampleSourceRow(source, X.data(), Y.data(), count, quality, out + std::intptr_t(first) * 3);
        }
        if (progress) {
            // The bar counts columns; rows are spread over them evenly.
            const int due = static_cast<int>(std::int64_t(row + 1) * columns / rows);
            for (; stepsDone < due; ++stepsDone) progress->StepIt();
        }
    }
    if (progress) progress->Start(columns);
}

Byte EffectiveRenderQuality(Byte quality, const TKelvoRect& imageRect, const TKelvoRect& desktopRect) {
    if (quality != 0) return quality;
    const bool large = imageRect.Right >= 1.5 * desktopRect.Right && imageRect.Bottom >= 1.5 * desktopRect.Bottom;
    return large ? Byte(0) : Byte(2);
}

TKelvoRect RenderCorrection(TKelvoCorrectionMapping& m, const TKelvoPixels& source, TKelvoPixels& target,
                            const TKelvoRect& imageRect, IKelvoProgress* progress) {
    if (m.LensApplied) m.LensOn = false;
    if (m.LensOn) m.SetLensFrame(imageRect);
    if (!m.IsActive()) {
        target.CopyFrom(source);
        m.ResetStretch();
        return imageRect;
    }
    const TKelvoRect area = ApplyCropType(m, source.GetBounds());
    m.RenderArea(source, target, area, progress);
    return area;
}
