// The stored form of an alpha image list ("PngDIB"): a 32-bit little-endian image count, then, only when
// the count is above 0, one PNG of list width x (list height x count) pixels holding the images top to
// bottom in index order.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Stream.h"

namespace themed {

// Writes count images of width x height pixels taken from strip (count x height rows of width pixels).
// A count of 0 or less writes only the count.
void WritePngDIB(TStream& stream, std::int32_t count, std::int32_t width, std::int32_t height,
                 const std::uint32_t* strip);

// Reads a stored list for a list of width x height images. Returns the number of images and puts their
// pixels into strip (count x height rows of width pixels). A count of 0 or less, or a PNG whose size does
// not fit the list exactly, gives 0 images and no error; PNG errors pass through.
std::int32_t ReadPngDIB(TStream& stream, std::int32_t width, std::int32_t height, std::vector<std::uint32_t>& strip);

}  // namespace themed
