// Per-pixel colour effects chosen by id from a process-wide registry, and ordered lists of them.
#pragma once
#include <cstdint>
#include <vector>

// An effect turns a pixel into another, given the 32-bit parameter it was added with.
using TColorEffectProc = std::uint32_t (*)(std::uint32_t pixel, std::uint32_t parameter);

// Ids of the effects every program has.
enum : int {
    ceInvert = 1,    // invert red, green and blue
    ceGrey = 2,      // parameter 0-255: how far toward grey
    ceMultiply = 3,  // parameter: a colour with alpha to multiply by
    ceAdd = 4,       // parameter: a colour with alpha to add
    ceFade = 5,      // parameter 0-255: how much alpha is kept
    ceMix = 6,       // parameter: a colour mixed in by its alpha
    ceColorize = 7,  // parameter: the colour; light pixels fade out
};

// Adds an effect to the registry; raises Exception "color effect %d already registered" for a used id.
void RegisterColorEffect(int id, TColorEffectProc proc);
// The registry index of the effect, or -1.
int FindColorEffect(int id);

namespace themed {

// Registers the seven built-in effects (once; later calls do nothing), and empties the registry again.
void RegisterBuiltInColorEffects();
void ClearColorEffects();

// Luminance as the effects compute it: (R + 2G + B) / 4, the 2G term taken as the pixel's bits 7-15.
std::uint32_t EffectLuminance(std::uint32_t pixel);

}  // namespace themed

class TColorEffects {
public:
    // Appends the effect when its id is registered; returns false otherwise.
    bool Add(int id, std::uint32_t parameter);
    void Clear() { entries_.clear(); }
    int Count() const { return int(entries_.size()); }
    // Runs every entry in order.
    std::uint32_t Apply(std::uint32_t pixel) const;
    // target[i] = the effects applied to source[i], composed over target[i]; the last result is reused
    // while source and target pixels repeat.
    void ApplyRow(const std::uint32_t* source, std::uint32_t* target, int count) const;

private:
    struct Entry {
        int id;
        std::uint32_t parameter;
        TColorEffectProc proc;
    };
    std::vector<Entry> entries_;
};
