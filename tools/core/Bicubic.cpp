#include "tools/core/Bicubic.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "classlib/core/Checked.h"

long double BicubicBasis(int node, long double t) {
    switch (node) {
        case -1: return -t * (t - 1) * (t - 2) / 6;
        case 0: return (t + 1) * (t - 1) * (t - 2) / 2;
        case 1: return -(t + 1) * t * (t - 2) / 2;
        case 2: return (t + 1) * t * (t - 1) / 6;
        default: return 0;
    }
}

namespace {
std::unique_ptr<TBicubicWeightTable> BuildTable() {
    auto table = std::make_unique<TBicubicWeightTable>();
    for (int i = 0; i <= BicubicSteps; ++i) {
        const long double fy = static_cast<long double>(i) / BicubicSteps;
        for (int j = 0; j <= BicubicSteps; ++j) {
            const long double fx = static_cast<long double>(j) / BicubicSteps;
            for (int r = 0; r < 4; ++r) {
                for (int c = 0; c < 4; ++c) {
                    const long double w = BicubicBasis(r - 1, fy) * BicubicBasis(c - 1, fx) * BicubicScale;
                    const long double rounded = std::nearbyintl(w);  // ties to even
                    if (rounded < -32768.0L || rounded > 32767.0L) RaiseRangeError(std::int64_t(rounded), 32768);
                    table->Weights[i][j][r * 4 + c] = static_cast<std::int16_t>(rounded);
                }
            }
        }
    }
    return table;
}
}  // namespace

const TBicubicWeightTable& BicubicWeights() {
    static const std::unique_ptr<TBicubicWeightTable> table = BuildTable();
    return *table;
}

namespace bicubic_detail {
void SampleAt(const TKelvoPixels& image, std::int32_t iy, std::int32_t ix, int ty, int tx, Byte* out) {
    const std::int16_t* w = BicubicWeights().Weights[ty][tx];
    const std::int64_t left = image.Left();
    const std::int64_t top = image.Top();
    const std::int64_t right = left + image.Width();
    const std::int64_t bottom = top + image.Height();
    static const Byte whiteRow[12] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const std::int64_t x0 = std::int64_t(ix) - 1;
    const bool columnsInside = x0 >= left && x0 + 3 < right;
    Byte scratch[4][12];
    const Byte* rows[4];
    for (int r = 0; r < 4; ++r) {
        const std::int64_t y = std::int64_t(iy) - 1 + r;
        if (y < top || y >= bottom) {
            rows[r] = whiteRow;
        } else if (columnsInside) {
            rows[r] = image.PixelAddress(std::int32_t(x0), std::int32_t(y));
        } else {
            for (int c = 0; c < 4; ++c) {
                const std::int64_t x = x0 + c;
                if (x < left || x >= right) {
                    std::memset(scratch[r] + c * 3, 0xFF, 3);
                } else {
                    std::memcpy(scratch[r] + c * 3, image.PixelAddress(std::int32_t(x), std::int32_t(y)), 3);
                }
            }
            rows[r] = scratch[r];
        }
    }
    Combine(w, rows[0], rows[1], rows[2], rows[3], out);
}
}  // namespace bicubic_detail

TBGRPixel BicubicSample(const TKelvoPixels& image, double y, double x) {
    if (image.BytesPerPixel() != 3) throw EInvalidGraphic("Bicubic sampling needs 24-bit pixels");
    if (!(y >= 0.0 && x >= 0.0 && y < 2147483647.0 && x < 2147483647.0)) return OutsideColour;
    const auto iy = static_cast<std::int32_t>(y);
    const auto ix = static_cast<std::int32_t>(x);
    const double fy = y - iy;
    const double fx = x - ix;
    const int ty = static_cast<int>(std::nearbyint(fy * BicubicSteps));
    const int tx = static_cast<int>(std::nearbyint(fx * BicubicSteps));
    Byte out[3];
    bicubic_detail::SampleAt(image, iy, ix, ty, tx, out);
    return TBGRPixel{out[0], out[1], out[2]};
}
