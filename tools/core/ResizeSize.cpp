#include "tools/core/ResizeSize.h"

#include <algorithm>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "classlib/core/Checked.h"

std::int32_t BoundResizeSide(std::int64_t side) {
    return std::int32_t(std::clamp<std::int64_t>(side, MinResizeSide, MaxResizeSide));
}

namespace {
// One side set, the other following it in the image's proportion: the same rule for width and height.
void SetSide(std::int32_t& side, std::int32_t& other, std::int32_t imageSide, std::int32_t imageOther,
             std::int32_t value, bool constrain) {
    if (value == side) return;
    side = BoundResizeSide(value);
    if (constrain) other = BoundResizeSide(MulDivRound(imageOther, side, imageSide));
}
}  // namespace

TResizeSize ConstrainedResizeWidth(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight,
                                   std::int32_t width, bool constrain) {
    SetSide(size.Width, size.Height, imageWidth, imageHeight, width, constrain);
    return size;
}

TResizeSize ConstrainedResizeHeight(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight,
                                    std::int32_t height, bool constrain) {
    SetSide(size.Height, size.Width, imageHeight, imageWidth, height, constrain);
    return size;
}

TResizeSize FitResizeToImage(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight) {
    std::int32_t w = size.Width, h = size.Height;
    if (!FitProportional(imageWidth, imageHeight, size.Width, size.Height, w, h)) return size;
    return TResizeSize{BoundResizeSide(w), BoundResizeSide(h)};
}

bool ResizeFitsInMemory(TResizeSize size) {
    if (size.Width < MinResizeSide || size.Height < MinResizeSide) return false;
    return std::int64_t(PixelRowStride(KelvoFormatBGR24, size.Width)) * size.Height <= TKelvoPixelBuffer::MaxBytes;
}
