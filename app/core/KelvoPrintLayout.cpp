#include "app/core/KelvoPrintLayout.h"

TKelvoRect FitOnPage(std::int32_t imageWidth, std::int32_t imageHeight, std::int32_t pageWidth,
                     std::int32_t pageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return TKelvoRect{};
    // Compare the proportions in 64 bits: a 6000-pixel image on a 20000-unit page overflows 32.
    std::int64_t width = pageWidth, height = pageHeight;
    if (std::int64_t(imageWidth) * pageHeight > std::int64_t(pageWidth) * imageHeight)
        height = std::int64_t(pageWidth) * imageHeight / imageWidth;  // as wide as the page
    else
        width = std::int64_t(pageHeight) * imageWidth / imageHeight;  // as high as the page
    const std::int32_t left = std::int32_t((pageWidth - width) / 2), top = std::int32_t((pageHeight - height) / 2);
    return TKelvoRect{left, top, left + std::int32_t(width), top + std::int32_t(height)};
}
