// The image size a file declares in its header, read before anything is decoded, so that an image the
// program cannot hold is refused at once instead of after the decoder has spent seconds and memory on it.
//
// Threat model: the bytes are the start of anyone's file. Every offset is checked against the bytes given
// before it is read; a header that does not say its size within them is "unknown", never a guess.
#pragma once
#include <cstddef>
#include <cstdint>

#include "classlib/core/Types.h"

enum class TKelvoHeaderSize {
    Unknown,   // not a format read here, or its size is not within the bytes given
    Declared,  // width and height as the header states them
};

// JPEG (the first frame header), PNG (IHDR), BMP (core and info headers; a negative height is a top-down
// image) and TIFF (the first directory's width and length). Width and height are what the file says, in 64
// bits so that no declared value wraps.
TKelvoHeaderSize DeclaredImageSize(const Byte* bytes, std::size_t size, std::int64_t& width, std::int64_t& height);

// An image is held three times in 24-bit (the working and original bitmaps and the committed copy the undo
// steps compare with) while the decoder holds its own, all in one 32-bit process: one copy may take at most
// this much.
inline constexpr std::int64_t KelvoMaxImageBytes = std::int64_t(256) << 20;
// True when a width x height image fits: both sides at least 1, and its 24-bit rows (padded to 4 bytes)
// within KelvoMaxImageBytes.
bool ImageSizeHoldable(std::int64_t width, std::int64_t height);
// True when the header declares a size that is not holdable; an unknown size is left to the decoder.
bool HeaderRefusesImage(const Byte* bytes, std::size_t size);
