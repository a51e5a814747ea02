// Reads a hostile lens profile: the input is split at its first newline into the focal-length and the
// distortion value (bytes widened to UTF-16, or UTF-16 pairs when the input starts with 0xFF). Loading,
// look-ups, learning and writing back must never crash, and the table must stay sorted and finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tools/core/TKelvoLensProfile.h"

namespace {
WideString Decode(const std::uint8_t* data, std::size_t size, bool pairs) {
    WideString out;
    if (pairs) {
        for (std::size_t i = 0; i + 1 < size; i += 2) out.push_back(char16_t(data[i] | data[i + 1] << 8));
    } else {
        for (std::size_t i = 0; i < size; ++i) out.push_back(char16_t(data[i]));
    }
    return out;
}

void Check(const TKelvoLensProfile& p) {
    const auto& e = p.Entries();
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (!std::isfinite(e[i].FocalLength) || !std::isfinite(e[i].Distortion)) std::abort();
        if (i > 0 && !(e[i - 1].FocalLength < e[i].FocalLength)) std::abort();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool pairs = size > 0 && data[0] == 0xFF;
    std::size_t split = 0;
    while (split < size && data[split] != '\n') ++split;
    const WideString fl = Decode(data, split, pairs);
    const WideString kd = split < size ? Decode(data + split + 1, size - split - 1, pairs) : WideString();

    TKelvoMemoryProfileStore store;
    store.Values[{u"Make", u"Model FL"}] = fl;
    store.Values[{u"Make", u"Model KD"}] = kd;
    TKelvoLensProfile p;
    p.Load(store, u"Make", u"Model");
    Check(p);

    const double probes[] = {0.0, 1.0, 18.0, 35.0, 50.0, 1e6, -3.0};
    for (double f : probes) {
        const auto v = p.AutomaticValue(f);
        if (v && !std::isfinite(*v)) std::abort();
        if (v) (void)FormatSignificant(*v);
    }
    for (const auto& e : p.Entries()) {
        const auto v = p.AutomaticValue(e.FocalLength);
        if (!v || !std::isfinite(*v)) std::abort();
    }

    // Learn one value and read the file back: the same number of entries, still sorted and finite.
    const std::size_t before = p.Entries().size();
    const double f = p.Entries().empty() ? 24.0 : p.Entries().front().FocalLength;
    if (f != 0.0) {
        p.Learn(store, f, -7.0);
        TKelvoLensProfile again;
        again.Load(store, u"Make", u"Model");
        Check(again);
        // Six significant digits may merge focal lengths that differ further down; never more entries.
        if (again.Entries().size() > p.Entries().size()) std::abort();
        if (p.Entries().size() < before) std::abort();
    }
    return 0;
}
