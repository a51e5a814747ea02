#include "themed/core/SkinColorMath.h"

#include <algorithm>

#include "classlib/core/PixelPlumbing.h"

namespace skin {

namespace {
int Channel(std::uint32_t c, int shift) { return int((c >> shift) & 0xFF); }
std::uint32_t Pack(int r, int g, int b) {
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}
}  // namespace

std::uint32_t BlendColors(std::uint32_t a, std::uint32_t b, unsigned weight) {
    weight = std::min(weight, 255u);
    const std::uint32_t inverse = 255 - weight;
    // Unsigned lanes: 0xFF00FF x 255 fits 32 bits, the two channels of a lane never carry into each other.
    const std::uint32_t rb = (((a & 0xFF00FF) * weight + (b & 0xFF00FF) * inverse) >> 8) & 0xFF00FF;
    const std::uint32_t g = (((a & 0xFF00) * weight + (b & 0xFF00) * inverse) >> 8) & 0xFF00;
    return rb | g;
}

std::uint32_t ShiftColor(std::uint32_t color, int delta) {
    auto shift = [&](int shiftBits) { return ClampByte(Channel(color, shiftBits) + delta); };
    return Pack(shift(0), shift(8), shift(16));
}

bool IsDarker(std::uint32_t color, int threshold) {
    const int sum = Channel(color, 0) * 76 + Channel(color, 8) * 150 + Channel(color, 16) * 30;
    return sum < threshold * 256;
}

std::uint32_t ColorToOpaquePixel(std::uint32_t color) {
    return 0xFF000000u | (std::uint32_t(Channel(color, 0)) << 16) | (std::uint32_t(Channel(color, 8)) << 8) |
           std::uint32_t(Channel(color, 16));
}

std::uint32_t MixDockPanelColor(std::uint32_t toolbar, std::uint32_t window) {
    auto mix = [&](int s) { return (64 * Channel(toolbar, s) + 191 * Channel(window, s)) / 256; };
    return Pack(mix(0), mix(8), mix(16));
}

std::uint32_t RampColor(int n, int i, std::uint32_t a, std::uint32_t b) {
    if (n == 1) {
        auto half = [&](int s) { return Channel(a, s) + (Channel(b, s) - Channel(a, s)) / 2; };
        return Pack(half(0), half(8), half(16));
    }
    const long long d = n - 1;
    auto line = [&](int s) {
        const long long diff = Channel(b, s) - Channel(a, s);
        return Channel(a, s) + int((d / 2 + i * diff) / d);
    };
    return Pack(line(0), line(8), line(16));
}

std::vector<std::uint32_t> GradientRamp(int n, std::uint32_t a, std::uint32_t b) {
    std::vector<std::uint32_t> ramp;
    if (n <= 0) return ramp;
    ramp.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) ramp.push_back(RampColor(n, i, a, b));
    return ramp;
}

}  // namespace skin
