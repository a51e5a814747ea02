// The directory of an .ico file: which images it holds and where. Every entry is checked to lie inside the
// file, so the system is only ever handed bytes that exist.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Types.h"

struct TIconDirEntry {
    int Width = 0;   // 1..256
    int Height = 0;  // 1..256
    int BitCount = 0;
    std::uint32_t Offset = 0;
    std::uint32_t Size = 0;
};

// Raises EInvalidGraphic "Icon image is not valid" for anything but an icon file with at least one image
// whose bytes are all in data.
std::vector<TIconDirEntry> ReadIconDirectory(const Byte* data, std::size_t size);
// The index of the image closest in size to the wanted one; among equals the one with the most colours.
std::size_t ChooseIconEntry(const std::vector<TIconDirEntry>& entries, int width, int height);
