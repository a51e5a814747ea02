#include "themed/core/AlphaPixels.h"

#include <array>

#include "classlib/core/Checked.h"
#include "classlib/core/PixelPlumbing.h"

namespace themed {

namespace {

// n / d rounded to the nearest integer, ties to even (n, d > 0).
unsigned RoundedQuotient(unsigned n, unsigned d) {
    unsigned q = n / d;
    const unsigned twice = 2 * (n % d);
    if (twice > d || (twice == d && (q & 1))) ++q;
    return q;
}

struct AlphaTables {
    std::array<std::array<std::uint8_t, 256>, 256> divide{};
    std::array<std::array<std::uint8_t, 256>, 256> multiply{};
    AlphaTables() {
        for (unsigned a = 0; a < 256; ++a)
            for (unsigned i = 0; i < 256; ++i) {
                divide[a][i] = std::uint8_t(i < a ? RoundedQuotient(i * 255, a) : 255);
                multiply[a][i] = std::uint8_t(RoundedQuotient(i * a, 255));
            }
    }
};

const AlphaTables& Tables() {
    static const AlphaTables tables;
    return tables;
}

}  // namespace

std::uint8_t AlphaDivide(unsigned a, unsigned i) { return Tables().divide[a & 0xFF][i & 0xFF]; }

std::uint8_t AlphaMultiply(unsigned a, unsigned i) { return Tables().multiply[a & 0xFF][i & 0xFF]; }

std::uint32_t BlendPixel(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t a = src >> 24;
    if (a == 0) return dst;
    if (a == 255) return src;
    const std::uint32_t w = a + (a >> 7);
    const std::uint32_t rb = (((src & 0xFF00FFu) * w + (dst & 0xFF00FFu) * (256 - w) + 0x7F007Fu) >> 8) & 0xFF00FFu;
    const std::uint32_t g = (((src & 0xFF00u) * w + (dst & 0xFF00u) * (256 - w) + 0x7F00u) >> 8) & 0xFF00u;
    return rb | g;
}

std::uint32_t BlendPixel(std::uint32_t src, std::uint32_t dst, unsigned constantAlpha) {
    if (constantAlpha >= 255) return BlendPixel(src, dst);
    const std::uint32_t a = AlphaMultiply(constantAlpha, src >> 24);
    return BlendPixel((src & 0xFFFFFFu) | (a << 24), dst);
}

void BlendRow(const std::uint32_t* src, std::uint32_t* dst, int count, unsigned constantAlpha) {
    if (constantAlpha == 0) return;
    for (int i = 0; i < count; ++i) dst[i] = BlendPixel(src[i], dst[i], constantAlpha);
}

std::uint32_t DeriveAlphaPixel(std::uint32_t onBlack, std::uint32_t onWhite) {
    if (onBlack == onWhite) return onBlack | 0xFF000000u;
    const int blueBlack = int(onBlack & 0xFF), blueWhite = int(onWhite & 0xFF);
    if (blueBlack == 0 && blueWhite == 255) return 0x007F7F7Fu;
    // A drawing that came out lighter on black than on white would give an alpha above 255: clamped.
    const unsigned alpha = 255u - ClampByte(blueWhite - blueBlack);
    const unsigned r = AlphaDivide(alpha, (onBlack >> 16) & 0xFF);
    const unsigned g = AlphaDivide(alpha, (onBlack >> 8) & 0xFF);
    const unsigned b = AlphaDivide(alpha, onBlack & 0xFF);
    return (alpha << 24) | (r << 16) | (g << 8) | b;
}

std::uint8_t DisabledMaskAlpha(std::uint32_t pixel) {
    const unsigned alpha = pixel >> 24;
    if (alpha < 64) return 0;
    const unsigned luminance = (((pixel >> 16) & 0xFF) + 2 * ((pixel >> 8) & 0xFF) + (pixel & 0xFF) + 2) >> 2;
    if (luminance <= 128) return std::uint8_t(alpha);
    if (luminance < 192) return std::uint8_t(((192 - luminance) * alpha * 4) >> 8);
    return 0;
}

int DIBListGrowStep(int step, int width, int height) {
    const std::int64_t imageBytes = CheckedMul<std::int64_t>(CheckedMul<std::int64_t>(width, height), 4);
    if (imageBytes <= 0) return step > 0 ? step : 1;
    if (step > 0) {
        if (std::int64_t(step) * imageBytes > 1048576) return int(1048575 / imageBytes + 1);
        return step;
    }
    return int(16383 / imageBytes + 1);
}

}  // namespace themed
