#include "tools/core/ResizeSize.h"

#include <algorithm>

#include "app/core/KelvoPixelOps.h"
#include "classlib/core/Checked.h"

std::int32_t BoundResizeSide(std::int64_t side) {
    return std::int32_t(std::clamp<std::int64_t>(side, MinResizeSide, MaxResizeSide));
}

TResizeSize ConstrainedResizeWidth(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight,
                                   std::int32_t width, bool constrain) {
    if (width == size.Width) return size;
    size.Width = BoundResizeSide(width);
    if (constrain) size.Height = BoundResizeSide(MulDivRound(imageHeight, size.Width, imageWidth));
    return size;
}

TResizeSize ConstrainedResizeHeight(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight,
                                    std::int32_t height, bool constrain) {
    if (height == size.Height) return size;
    size.Height = BoundResizeSide(height);
    if (constrain) size.Width = BoundResizeSide(MulDivRound(imageWidth, size.Height, imageHeight));
    return size;
}

TResizeSize FitResizeToImage(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight) {
    std::int32_t w = size.Width, h = size.Height;
    if (!FitProportional(imageWidth, imageHeight, size.Width, size.Height, w, h)) return size;
    return TResizeSize{BoundResizeSide(w), BoundResizeSide(h)};
}
