// Snapping a drawn line to the strongest straight edge of the image nearby: the line is shifted across
// itself and each end refined separately, and the position where the colour changes most sharply across
// the line wins. A drawn line only has to be near an edge for the correction to follow the edge exactly.
#pragma once

#include "app/core/TKelvoPixels.h"
#include "tools/core/Geometry.h"

struct TSnappedLine {
    TRealPoint Start;
    TRealPoint End;
};

// The sharpness of the edge along the segment start-end of a 24-bit image: over the pixels along its
// main axis and the three colour bytes, the square of the sub-pixel difference across the line. Pixels
// outside the image count nothing.
double EdgeScore(const TKelvoPixels& image, const TRealPoint& start, const TRealPoint& end);

// The best line within halfRange image pixels across the drawn line (shifts of round(halfRange) whole
// pixels, each end then refined to below 0.01 pixel without leaving the range). A zero-length line, or
// one near which every candidate scores 0, comes back as drawn.
TSnappedLine SnapLineToEdge(const TKelvoPixels& image, const TRealPoint& start, const TRealPoint& end,
                            double halfRange);
