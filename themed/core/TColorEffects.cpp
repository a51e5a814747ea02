#include "themed/core/TColorEffects.h"

#include <cstdio>

#include "classlib/core/Exceptions.h"
#include "classlib/core/PixelPlumbing.h"
#include "themed/core/AlphaPixels.h"

namespace {

struct Registered {
    int id;
    TColorEffectProc proc;
};

std::vector<Registered>& Registry() {
    static std::vector<Registered> registry;
    return registry;
}

// w x a + (256 - w) x b over 256, for each colour channel; alpha taken from keepAlpha.
std::uint32_t MixColour(std::uint32_t a, std::uint32_t b, std::uint32_t w, std::uint32_t keepAlpha) {
    const std::uint32_t rb = (((a & 0xFF00FFu) * w + (b & 0xFF00FFu) * (256 - w) + 0x7F007Fu) >> 8) & 0xFF00FFu;
    const std::uint32_t g = (((a & 0xFF00u) * w + (b & 0xFF00u) * (256 - w) + 0x7F00u) >> 8) & 0xFF00u;
    return (keepAlpha & 0xFF000000u) | rb | g;
}

std::uint32_t Weight(std::uint32_t amount) { return amount + (amount >> 7); }

std::uint32_t Invert(std::uint32_t pixel, std::uint32_t) { return pixel ^ 0x00FFFFFFu; }

std::uint32_t Grey(std::uint32_t pixel, std::uint32_t amount) {
    const std::uint32_t l = themed::EffectLuminance(pixel);
    const std::uint32_t grey = (pixel & 0xFF000000u) | l * 0x010101u;
    if (amount >= 255) return grey;
    return MixColour(grey, pixel, Weight(amount), pixel);
}

std::uint32_t Multiply(std::uint32_t pixel, std::uint32_t colour) {
    std::uint32_t out = pixel & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t c = (pixel >> shift) & 0xFF, k = (colour >> shift) & 0xFF;
        out |= ((c * Weight(k) + 127) >> 8) << shift;
    }
    const std::uint32_t alpha = colour >> 24;
    if (alpha < 255) out = MixColour(out, pixel, Weight(alpha), pixel);
    return out;
}

std::uint32_t Add(std::uint32_t pixel, std::uint32_t colour) {
    const std::uint32_t alpha = colour >> 24;
    if (alpha == 0) return pixel;
    std::uint32_t out = pixel & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        std::uint32_t k = (colour >> shift) & 0xFF;
        if (alpha < 255) k = themed::AlphaMultiply(alpha, k);
        const std::uint32_t sum = ((pixel >> shift) & 0xFF) + k;
        out |= std::uint32_t(ClampByte(std::int32_t(sum))) << shift;
    }
    return out;
}

std::uint32_t Fade(std::uint32_t pixel, std::uint32_t amount) {
    if (amount > 255) amount = 255;
    const std::uint32_t alpha = ((pixel >> 24) * Weight(amount) + 128) >> 8;
    return (pixel & 0xFFFFFFu) | (alpha << 24);
}

std::uint32_t Mix(std::uint32_t pixel, std::uint32_t colour) {
    const std::uint32_t alpha = colour >> 24;
    if (alpha == 0) return pixel;
    if (alpha == 255) return (pixel & 0xFF000000u) | (colour & 0xFFFFFFu);
    return MixColour(colour, pixel, Weight(alpha), pixel);
}

std::uint32_t Colorize(std::uint32_t pixel, std::uint32_t colour) {
    std::uint32_t alpha = pixel >> 24;
    if (alpha == 0) return pixel;
    const std::uint32_t l = themed::EffectLuminance(pixel);
    if (l == 255)
        alpha = 0;
    else if (l >= 193)
        alpha = (alpha * (256 - l)) >> 6;
    return (alpha << 24) | (colour & 0xFFFFFFu);
}

}  // namespace

void RegisterColorEffect(int id, TColorEffectProc proc) {
    if (FindColorEffect(id) >= 0) {
        char text[64];
        std::snprintf(text, sizeof text, "color effect %d already registered", id);
        throw Exception(text);
    }
    Registry().push_back({id, proc});
}

int FindColorEffect(int id) {
    const auto& registry = Registry();
    for (std::size_t i = 0; i < registry.size(); ++i)
        if (registry[i].id == id) return int(i);
    return -1;
}

namespace themed {

void RegisterBuiltInColorEffects() {
    if (FindColorEffect(ceInvert) >= 0) return;
    RegisterColorEffect(ceInvert, Invert);
    RegisterColorEffect(ceGrey, Grey);
    RegisterColorEffect(ceMultiply, Multiply);
    RegisterColorEffect(ceAdd, Add);
    RegisterColorEffect(ceFade, Fade);
    RegisterColorEffect(ceMix, Mix);
    RegisterColorEffect(ceColorize, Colorize);
}

void ClearColorEffects() { Registry().clear(); }

std::uint32_t EffectLuminance(std::uint32_t pixel) {
    return (((pixel >> 16) & 0xFF) + ((pixel >> 7) & 0x1FF) + (pixel & 0xFF)) >> 2;
}

}  // namespace themed

bool TColorEffects::Add(int id, std::uint32_t parameter) {
    const int index = FindColorEffect(id);
    if (index < 0) return false;
    entries_.push_back({id, parameter, Registry()[std::size_t(index)].proc});
    return true;
}

std::uint32_t TColorEffects::Apply(std::uint32_t pixel) const {
    for (const Entry& e : entries_) pixel = e.proc(pixel, e.parameter);
    return pixel;
}

void TColorEffects::ApplyRow(const std::uint32_t* source, std::uint32_t* target, int count) const {
    bool cached = false;
    std::uint32_t lastSource = 0, lastTarget = 0, lastResult = 0;
    for (int i = 0; i < count; ++i) {
        if (!cached || source[i] != lastSource || target[i] != lastTarget) {
            lastSource = source[i];
            lastTarget = target[i];
            lastResult = themed::BlendPixel(Apply(lastSource), lastTarget);
            cached = true;
        }
        target[i] = lastResult;
    }
}
