// The text tool's decisions: the box dragged on the image and its mirroring, the text's layout from its
// lines, the blend of the rendered text into the image, and the settings bounded to what the frame offers.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoPixels.h"

// A box with the axes on which the text is mirrored (dragged right to left or bottom to top).
struct TTextBox {
    TKelvoRect Box;
    bool MirrorX = false;
    bool MirrorY = false;
    friend bool operator==(const TTextBox&, const TTextBox&) = default;
};

// A new box from anchor to pointer, clipped to the image area; mirrored on each axis the pointer went back on.
TTextBox DragNewTextBox(TKelvoPoint anchor, TKelvoPoint pointer, const TKelvoRect& imageArea);
// start (as it was at the press) with the part's sides moved by (dx, dy) and normalised. A handle dragged over
// the opposite side flips the mirror on that axis; resizing clips to the image area, moving (PartInside) may
// carry the box partly outside.
TTextBox DragTextBox(const TTextBox& start, int part, std::int32_t dx, std::int32_t dy, const TKelvoRect& imageArea);
// A box under 2 pixels in both directions was a click, not a drag: its text is discarded.
inline bool TextBoxIsClick(const TKelvoRect& box) { return box.Width() < 2 && box.Height() < 2; }

// One line of the memo as measured in the chosen font.
struct TTextLine {
    bool Empty = true;
    std::int32_t Width = 0;
};
struct TTextLayout {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t LineCount = 0;
    bool IsEmpty() const { return Width <= 0 || Height <= 0; }
    friend bool operator==(const TTextLayout&, const TTextLayout&) = default;
};
// Largest text bitmap drawn: a side of 32767 and 32 M pixels (96 MB at 24 bits). Longer text at a large size
// draws nothing rather than failing to allocate.
constexpr std::int32_t MaxTextBitmapSide = 32767;
constexpr std::int64_t MaxTextBitmapPixels = std::int64_t(32) << 20;
// Lines stacked lineHeight apart down to the last non-empty line (trailing empty lines add nothing, inner ones
// keep their height), as wide as the widest non-empty line. Empty when there is no text or it exceeds the limits.
TTextLayout LayoutTextLines(std::span<const TTextLine> lines, std::int32_t lineHeight);

// Colour modes of the text.
constexpr std::int32_t TextColorSelected = 0;
constexpr std::int32_t TextColorInverted = 1;

// How the mask is blended: in the selected mode towards Color (0x00BBGGRR); inverted, towards 255 - p of each
// byte, or with MaxInverse towards 0 for a byte of 128 or more and 255 below.
struct TTextBlend {
    std::int32_t ColorMode = TextColorSelected;
    std::uint32_t Color = 0;
    bool MaxInverse = false;
};
// Blends the mask (byte 0 of each pixel is the coverage; its bounds are the box's size at (0, 0)) into the
// image's pixels under box, mirrored as the box says. Nothing when the mask does not have the box's size.
void BlendTextMask(const TKelvoPixels& image, const TTextBox& box, const TKelvoPixels& mask, const TTextBlend& blend);

// The tool's settings as kept in the state file.
constexpr std::int32_t MinTextFontSize = 8;
constexpr std::int32_t MaxTextFontSize = 400;
struct TTextSettings {
    std::int32_t FontSize = 32;
    std::int32_t ColorMode = TextColorSelected;
    std::uint32_t TextColor = 0;
    bool MaxInverse = false;
    std::int32_t FontStyle = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strikeout
    friend bool operator==(const TTextSettings&, const TTextSettings&) = default;
};
// Values read from outside held to what the frame can show: the size to 8 .. 400, an unknown colour mode to
// the selected colour, the colour to its 24 bits, the style to its four bits.
TTextSettings BoundTextSettings(std::int32_t fontSize, std::int32_t colorMode, std::int32_t textColor,
                                std::int32_t maxInverse, std::int32_t fontStyle);
// The size spin edit steps by a hundredth of its value (rounded, ties to even), at least 1.
std::int32_t FontSizeIncrement(std::int32_t fontSize);

// The font the tool starts with: the first of Times New Roman, Veranda, Arial and Courier New that the screen
// has, else the screen's first font; empty without fonts.
std::u16string DefaultTextFont(const std::vector<std::u16string>& screenFonts);
