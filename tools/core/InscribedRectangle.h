// The largest axis-parallel rectangle of the output whose every pixel maps back inside the source, and
// the crop types built on it.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "tools/core/TKelvoCorrectionMapping.h"

// Inclusive pixel coordinates. Empty when Right < Left or Bottom < Top.
struct TInscribedRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = -1;
    std::int32_t Bottom = -1;
    bool IsEmpty() const { return Right < Left || Bottom < Top; }
    friend bool operator==(const TInscribedRect&, const TInscribedRect&) = default;
};

// Searches the inscribed rectangle of an output of width w and height h (the source size) under
// mapping (MapForward and MapInverseScaled). Every side stays within -1 .. w and -1 .. h.
TInscribedRect FindInscribedRectangle(const TKelvoCorrectionMapping& mapping, std::int32_t w, std::int32_t h);

// The growth passes alone: from start, every side moves outwards one pixel at a time while its new row or
// column maps inside; ends after the first pass in which no side could move.
TInscribedRect GrowInscribedRectangle(const TKelvoCorrectionMapping& mapping, std::int32_t w, std::int32_t h,
                                      TInscribedRect start);

// Applies mapping.CropType for a render over the full image rectangle fullRect (source size w x h):
// returns the image area the document takes and sets the stretch pre-scale (identity unless type 2).
// When the inscribed rectangle is empty the render keeps the image size, as for type 0.
TKelvoRect ApplyCropType(TKelvoCorrectionMapping& mapping, const TKelvoRect& fullRect);
