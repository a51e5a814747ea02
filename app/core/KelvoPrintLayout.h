// Where a printed image goes on the page: as large as the printable area allows with its proportions kept,
// centred. All sizes in the same unit (the printer's high-metric units).
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"

// The image's rectangle on a page of pageWidth x pageHeight; empty when either has no area.
TKelvoRect FitOnPage(std::int32_t imageWidth, std::int32_t imageHeight, std::int32_t pageWidth,
                     std::int32_t pageHeight);
