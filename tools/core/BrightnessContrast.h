// The brightness and contrast tool's arithmetic: the track bars' range, the two points of the tone line
// from brightness and contrast or from the image's darkest and brightest pixels, the 256-entry table, and
// its application to 24-bit pixels.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoPixels.h"
#include "tools/core/TKelvoCurveSegment.h"

constexpr std::int32_t BrightnessContrastMin = -127;
constexpr std::int32_t BrightnessContrastMax = 127;

// A value as the track bars can show it.
std::int32_t ClampBrightnessContrast(std::int32_t v);

// The line's two points (input level, output level).
struct TToneLine {
    TKelvoPoint P1;
    TKelvoPoint P2;
};

// P1 = (-b, 0), P2 = (255 - b, 255); a positive contrast moves both inputs inwards by c, a negative one both
// outputs inwards by -c.
TToneLine BrightnessContrastLine(std::int32_t brightness, std::int32_t contrast);

// The darkest and brightest levels found by the automatic correction.
struct TAutoLevels {
    std::int32_t Dmin = 0;
    std::int32_t Dmax = 255;
    friend bool operator==(const TAutoLevels&, const TAutoLevels&) = default;
};

// Scans the pixels row by row. A pixel whose byte sum s lies above 0 and below the least sum so far lowers
// Dmin to each of its bytes (red, green, blue in turn) that is non-zero and below it; one with s below 765 and
// above the greatest sum so far raises Dmax likewise to each byte below 255 and above it. Pure black and pure
// white bytes never count. With nothing found Dmin is 0 and Dmax 255.
TAutoLevels ScanAutoLevels(const TKelvoPixels& source);

// The automatic correction from the levels found: the values the track bars show and the line through
// (Dmin, 0) and (Dmax, 255).
struct TAutoCorrection {
    std::int32_t Brightness = 0;
    std::int32_t Contrast = 0;
    TToneLine Line;
};
// Brightness = 127 - (Dmin + Dmax) div 2, Contrast = (256 - (Dmax - Dmin)) div 2. Levels without spread (an
// image of one grey) give no line to stretch along: the correction is then the identity, 0 and 0, rather than a
// table of zeros that would turn the image black.
TAutoCorrection AutoCorrection(TAutoLevels levels);

// The 256-entry table of the line (rounded, clamped to 0 .. 255); the identity when the line maps nothing.
TKelvoToneTable ToneTableOfLine(const TToneLine& line);

// dest byte k = table[source byte k] for the three colour bytes of every 24-bit pixel the two share.
// table must hold 256 entries.
void ApplyToneTable(const TKelvoPixels& source, const TKelvoPixels& dest, const TKelvoToneTable& table);
