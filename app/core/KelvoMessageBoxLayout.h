// Where the parts of the program's own message box go: the word-wrapped text (measured in a 400-pixel-wide
// rectangle), an optional icon at the top left, an optional check box under the text and a centred row of
// equal buttons along the bottom. Plain arithmetic over the measured sizes, in client pixels.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/KelvoGeometry.h"

inline constexpr std::int32_t KelvoMessageBoxTextWidth = 400;  // the width the text is wrapped in
inline constexpr std::int32_t KelvoMessageBoxButtonWidth = 100;
inline constexpr std::int32_t KelvoMessageBoxButtonHeight = 24;
inline constexpr std::int32_t KelvoMessageBoxButtonGap = 8;

struct TKelvoMessageBoxMeasures {
    std::int32_t TextWidth = 0;  // w and h of the wrapped text
    std::int32_t TextHeight = 0;
    bool HasIcon = false;
    std::int32_t IconWidth = 0;  // iw and ih, read only with an icon
    std::int32_t IconHeight = 0;
    std::int32_t ButtonCount = 0;
    bool HasCheckBox = false;
    std::int32_t CheckBoxHeight = 0;  // read only with a check box
};

struct TKelvoMessageBoxLayout {
    std::int32_t ClientWidth = 0;
    std::int32_t ClientHeight = 0;
    TKelvoRect Icon;  // empty without an icon
    TKelvoRect Text;
    TKelvoPoint CheckBox;  // top left; the check box is as wide as the text
    std::vector<TKelvoRect> Buttons;
};

// The total width of n buttons in their row (0 for none).
std::int32_t KelvoMessageBoxButtonsWidth(std::int32_t count);
TKelvoMessageBoxLayout KelvoLayoutMessageBox(const TKelvoMessageBoxMeasures& m);
