#include "scan/core/TTwnPalette.h"

#include <algorithm>
#include <cstring>

namespace twn {

TW_PALETTE8 PaletteToSend(const TTwnPalette& palette, std::uint16_t paletteType) {
    TW_PALETTE8 sent{};
    sent.NumColors = 256;
    sent.PaletteType = paletteType;
    for (std::size_t i = 0; i < 256; ++i) {
        sent.Colors[i][0] = std::uint8_t(i);
        std::memcpy(&sent.Colors[i][1], palette.Colors[i], 3);
    }
    return sent;
}

std::uint16_t TakePalette(const TW_PALETTE8& answer, TTwnPalette& palette) {
    const std::size_t n = std::min<std::size_t>(answer.NumColors, 256);
    bool alike = true;
    for (std::size_t i = 1; i < n && alike; ++i) alike = answer.Colors[i][0] == answer.Colors[0][0];
    std::memset(palette.Colors, 0, sizeof palette.Colors);
    palette.NumColors = 256;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t index = alike ? i : answer.Colors[i][0];
        std::memcpy(palette.Colors[index], &answer.Colors[i][1], 3);
    }
    return answer.PaletteType;
}

std::vector<Byte> PaletteColourTable(const TTwnPalette& palette, std::size_t entries) {
    entries = std::min<std::size_t>(entries, 256);
    std::vector<Byte> table(entries * 4, 0);
    for (std::size_t i = 0; i < entries; ++i) {
        table[i * 4] = palette.Colors[i][2];
        table[i * 4 + 1] = palette.Colors[i][1];
        table[i * 4 + 2] = palette.Colors[i][0];
    }
    return table;
}

}  // namespace twn
