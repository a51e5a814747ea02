#include <gtest/gtest.h>

#include <cstring>

#include "scan/core/TTwnPalette.h"

using namespace twn;

TEST(TTwnPalette, ASourcesAnswerIsTakenByIndexAndRenumberedWhenAllIndexesAreAlike) {
    TTwnPalette palette;
    std::memset(palette.Colors, 0x55, sizeof palette.Colors);
    palette.NumColors = 3;

    // A count far beyond the 256 elements the record holds, indexes in reverse.
    TW_PALETTE8 answer{};
    answer.NumColors = 0xFFFF;
    answer.PaletteType = 2;
    for (int i = 0; i < 256; ++i) {
        answer.Colors[i][0] = std::uint8_t(255 - i);
        answer.Colors[i][1] = std::uint8_t(i);
        answer.Colors[i][2] = 7;
        answer.Colors[i][3] = 9;
    }
    EXPECT_EQ(TakePalette(answer, palette), 2);
    EXPECT_EQ(palette.NumColors, 256);
    EXPECT_EQ(palette.Colors[255][0], 0);
    EXPECT_EQ(palette.Colors[0][0], 255);
    EXPECT_EQ(palette.Colors[0][1], 7);
    EXPECT_EQ(palette.Colors[0][2], 9);
    EXPECT_EQ(palette.Colors[0][3], 0);  // the fourth byte is cleared, not taken

    // Four elements that all say Index 9: they are the first four entries, and nothing else is left.
    TW_PALETTE8 grey{};
    grey.NumColors = 4;
    grey.PaletteType = 1;
    for (int i = 0; i < 4; ++i) {
        grey.Colors[i][0] = 9;
        std::memset(&grey.Colors[i][1], 85 * i, 3);
    }
    EXPECT_EQ(TakePalette(grey, palette), 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(palette.Colors[i][0], 85 * i) << i;
    for (int i = 4; i < 256; ++i) ASSERT_EQ(palette.Colors[i][0] | palette.Colors[i][1] | palette.Colors[i][2], 0) << i;
}

TEST(TTwnPalette, TheWholePaletteIsSentNumberedAndGivesATableInBlueGreenRedOrder) {
    TTwnPalette palette;
    for (int i = 0; i < 256; ++i) {
        palette.Colors[i][0] = std::uint8_t(i);        // red
        palette.Colors[i][1] = std::uint8_t(255 - i);  // green
        palette.Colors[i][2] = 3;                      // blue
    }
    const TW_PALETTE8 sent = PaletteToSend(palette, 0);
    EXPECT_EQ(sent.NumColors, 256);
    EXPECT_EQ(sent.PaletteType, 0);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(sent.Colors[i][0], i);
        ASSERT_EQ(sent.Colors[i][1], i);
        ASSERT_EQ(sent.Colors[i][2], 255 - i);
        ASSERT_EQ(sent.Colors[i][3], 3);
    }
    const std::vector<Byte> table = PaletteColourTable(palette, 300);
    ASSERT_EQ(table.size(), 256u * 4);
    EXPECT_EQ(table[5 * 4], 3);
    EXPECT_EQ(table[5 * 4 + 1], 250);
    EXPECT_EQ(table[5 * 4 + 2], 5);
    EXPECT_EQ(table[5 * 4 + 3], 0);
}
