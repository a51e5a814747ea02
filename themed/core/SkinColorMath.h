// Colour arithmetic of the themes and themed items, on plain 0x00BBGGRR values (system colours resolved by the
// caller), and the line-by-line colour ramps of gradients.
#pragma once
#include <cstdint>
#include <vector>

namespace skin {

// Per channel (a x weight + b x (255 - weight)) shr 8. The weights sum to 255, so white blended with white
// gives 0xFEFEFE; red and blue share one 32-bit lane, green has its own.
std::uint32_t BlendColors(std::uint32_t a, std::uint32_t b, unsigned weight);
// Adds delta to red, green and blue, each clamped to 0-255.
std::uint32_t ShiftColor(std::uint32_t color, int delta);
// R x 76 + G x 150 + B x 30 below threshold x 256.
bool IsDarker(std::uint32_t color, int threshold);
// 0x00BBGGRR as the opaque 32-bit pixel 0xFFRRGGBB.
std::uint32_t ColorToOpaquePixel(std::uint32_t color);
// The dockable-panel background: per channel (64 x toolbar + 191 x window) / 256 (before the display's
// nearest colour is taken).
std::uint32_t MixDockPanelColor(std::uint32_t toolbar, std::uint32_t window);

// The colour of each of n lines from a to b: one line takes a plus half the difference; otherwise line i is
// a + ((n - 1) div 2 + i x (b - a)) div (n - 1) per channel, the division truncating toward zero (so a
// falling ramp may stop one short of b). n <= 0 gives no lines.
std::vector<std::uint32_t> GradientRamp(int n, std::uint32_t a, std::uint32_t b);

// Line i of the ramp above, computed alone (a gradient fills only the lines it can show).
std::uint32_t RampColor(int n, int i, std::uint32_t a, std::uint32_t b);

}  // namespace skin
