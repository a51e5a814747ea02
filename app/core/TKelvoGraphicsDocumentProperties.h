// What a graphics document keeps of its image besides the pixels: every property item the decoder gave,
// keyed by tag, and the resolution, which a save writes back with the image.
#pragma once
#include <cstdint>

#include "app/core/TKelvoProperties.h"

class TKelvoGraphicsDocumentProperties : public TKelvoProperties {
public:
    // Dots per inch, rounded; 0 = unknown.
    std::int32_t HorizontalResolution = 0;
    std::int32_t VerticalResolution = 0;
};
