// The scanner component's palette of an 8-bit image, and how it travels to and from a source (DAT_PALETTE8). The
// source's answer is read only as far as it can hold elements: at most 256, whatever count it gives.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/Types.h"
#include "scan/core/TwnProtocol.h"

// A leading 16-bit field, the count and 256 entries of three channels (Channel1 red or grey, Channel2 green,
// Channel3 blue) and a fourth byte.
struct TTwnPalette {
    std::uint16_t Reserved = 0;
    std::uint16_t NumColors = 256;
    std::uint8_t Colors[256][4] = {};
};

namespace twn {

// What MSG_SET sends: 256 colours of the palette type, element i being {i, the channels of entry i}.
TW_PALETTE8 PaletteToSend(const TTwnPalette& palette, std::uint16_t paletteType);
// Takes a source's answer into the palette: the entries are cleared and the count becomes 256; each of the first
// min(NumColors, 256) elements writes its channels to the entry of its Index, except that elements which all carry
// the Index of the first are numbered 0, 1, 2 ... in order. Answers the palette type.
std::uint16_t TakePalette(const TW_PALETTE8& answer, TTwnPalette& palette);
// The first entries of the palette (at most 256) as RGBQUADs.
std::vector<Byte> PaletteColourTable(const TTwnPalette& palette, std::size_t entries);

}  // namespace twn
