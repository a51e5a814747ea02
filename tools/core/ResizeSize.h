// The resize tool's new size: a width and a height of 1 .. 32767, optionally held to the image's proportions.
#pragma once
#include <cstdint>

constexpr std::int32_t MinResizeSide = 1;
constexpr std::int32_t MaxResizeSide = 32767;

struct TResizeSize {
    std::int32_t Width = 1;
    std::int32_t Height = 1;
    friend bool operator==(const TResizeSize&, const TResizeSize&) = default;
};

// A side bounded to 1 .. 32767, typed or computed alike: an elongated image would otherwise give a computed
// side of 0 (or -1 from a zero image side), a typed one could ask for gigabytes.
std::int32_t BoundResizeSide(std::int64_t side);

// size with the width set (bounded); when constrain, the height follows as MulDiv(image height, width, image
// width), bounded too. Unchanged when the width equals the current one.
TResizeSize ConstrainedResizeWidth(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight,
                                   std::int32_t width, bool constrain);
// The mirror image of ConstrainedResizeWidth.
TResizeSize ConstrainedResizeHeight(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight,
                                    std::int32_t height, bool constrain);
// Switching the constraint on: the image's proportions fitted into size (the side that binds stays).
TResizeSize FitResizeToImage(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight);
// OK is offered only for a size other than the image's.
inline bool ResizeChangesImage(TResizeSize size, std::int32_t imageWidth, std::int32_t imageHeight) {
    return size.Width != imageWidth || size.Height != imageHeight;
}

// True when a 24-bit bitmap of size fits one pixel buffer. Even within 1 .. 32767 a size can need gigabytes;
// the tool checks this before it keeps the undo copies and resizes, so a refused size changes nothing.
bool ResizeFitsInMemory(TResizeSize size);
