// Effects applied to an image drawn from a system image list (which has no alpha of its own to work with):
// the image is drawn over a key colour, and every pixel that is not the key is turned monochrome, grey,
// tinted and faded over the background in that order. Also the placement of rotated captions.
#pragma once
#include <cstdint>

namespace skin {

struct TImageEffects {
    std::uint8_t opacity = 255;     // 255 opaque
    std::uint8_t desaturation = 0;  // 0 none, 255 full grey
    bool monochrome = false;
    std::uint8_t tint = 0;        // 0 none
    std::uint32_t tintColor = 0;  // 0x00RRGGBB, as the pixels
};

// The colour the scratch image is filled with before the image is drawn into it (a pixel value).
constexpr std::uint32_t kEffectKeyColor = 0x203241;

bool HasImageEffects(const TImageEffects& e);

// For each of count pixels: image[i] (with the key colour meaning "no image here") run through the effects
// and stored into background[i], which it is faded over.
void ApplyImageEffects(const std::uint32_t* image, std::uint32_t* background, int count, const TImageEffects& e);

// Rotation codes of the text flags (bits 24-27): 0 horizontal, 1 upwards (90 degrees), 2 downwards (270).
constexpr std::uint32_t kRotationShift = 24;
inline int RotationCode(std::uint32_t flags) { return int((flags >> kRotationShift) & 0xF); }

// Where a rotated text starts: x across the text from the font height, y along it from the text width.
// Halvings round toward zero.
int RotatedTextX(int code, std::uint32_t flags, int left, int right, int fontHeight);
int RotatedTextY(int code, std::uint32_t flags, int top, int bottom, int textWidth);

// The accelerator underline of a rotated text drawn at (x, y): from (x1, y1) to (x1, y2). before = width of
// the text before the underlined character, width = its width.
struct TUnderline {
    int x = 0, y1 = 0, y2 = 0;
};
TUnderline RotatedUnderline(int code, int x, int y, int descent, int before, int width);

}  // namespace skin
