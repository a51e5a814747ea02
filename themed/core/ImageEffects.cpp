#include "themed/core/ImageEffects.h"

namespace skin {

namespace {

constexpr std::uint32_t kDtCenter = 0x1, kDtRight = 0x2, kDtVCenter = 0x4, kDtBottom = 0x8;

std::uint32_t Ch(std::uint32_t p, int s) { return (p >> s) & 0xFF; }
std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return (r << 16) | (g << 8) | b; }

// Per channel (a x wa + b x (256 - wa)) shr 8.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t wa) {
    auto m = [&](int s) { return (Ch(a, s) * wa + Ch(b, s) * (256 - wa)) >> 8; };
    return Pack(m(16), m(8), m(0));
}

}  // namespace

bool HasImageEffects(const TImageEffects& e) {
    return e.opacity != 255 || e.desaturation != 0 || e.monochrome || e.tint != 0;
}

void ApplyImageEffects(const std::uint32_t* image, std::uint32_t* background, int count, const TImageEffects& e) {
    for (int i = 0; i < count; ++i) {
        std::uint32_t p = image[i] & 0xFFFFFF;
        if (p == kEffectKeyColor) continue;
        // Luminance with the green term as the pixel's bits 7-15 (2G plus the top bit of blue).
        auto luminance = [](std::uint32_t q) { return (Ch(q, 16) + ((q >> 7) & 0x1FF) + Ch(q, 0)) >> 2; };
        if (e.monochrome) p = luminance(p) > 253 ? 0x000000 : 0xFFFFFF;
        if (e.desaturation == 255) {
            p = luminance(p) * 0x010101u;
        } else if (e.desaturation != 0) {
            const std::uint32_t v = e.desaturation;
            const std::uint32_t w = 256 - (v + (v >> 7));
            p = Mix(p, luminance(p) * 0x010101u, w);
        }
        if (e.tint != 0) {
            const std::uint32_t t = e.tint + e.tint / 128;
            p = Mix(e.tintColor & 0xFFFFFF, p, t);
        }
        if (e.opacity != 255) {
            const std::uint32_t a = e.opacity + (e.opacity >> 7);
            p = Mix(p, background[i] & 0xFFFFFF, a);
        }
        background[i] = (background[i] & 0xFF000000u) | p;
    }
}

int RotatedTextX(int code, std::uint32_t flags, int left, int right, int h) {
    if (code == 1) {
        if (flags & kDtVCenter) return (left + right + h) / 2;
        if (flags & kDtBottom) return right + 1;
        return left + h - 1;
    }
    if (flags & kDtVCenter) return (left + right - h + 1) / 2;
    if (flags & kDtBottom) return left - 1;
    return right - h + 1;
}

int RotatedTextY(int code, std::uint32_t flags, int top, int bottom, int w) {
    if (code == 1) {
        if (flags & kDtCenter) return (top + bottom + w) / 2;
        if (flags & kDtRight) return top + w;
        return bottom;
    }
    if (flags & kDtCenter) return (top + bottom - w) / 2;
    if (flags & kDtRight) return bottom - w;
    return top;
}

TUnderline RotatedUnderline(int code, int x, int y, int descent, int before, int width) {
    const int c = before, d = before + width;
    if (code == 1) return TUnderline{x - descent + 1, y - c - 1, y - d - 1};
    return TUnderline{x + descent - 2, y + c, y + d};
}

}  // namespace skin
