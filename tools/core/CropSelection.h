// The crop tool's decisions: the aspect ratio (free, print or screen presets), the ratio constraint by the
// part that moved, and how dragging a new selection, a handle or the whole selection changes it inside the
// image area. The window code maps the selection to the view for HandleAt and feeds image coordinates here.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoPixels.h"

// Width : height of the selection; 0 : 0 is free (no constraint).
struct TCropRatio {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool IsFree() const { return Width <= 0 || Height <= 0; }
    friend bool operator==(const TCropRatio&, const TCropRatio&) = default;
};

// Greatest common divisor by Euclid; 0 when either value is 0.
std::int32_t CropRatioGcd(std::int32_t a, std::int32_t b);
// a : b reduced by their gcd; free when either is 0 or negative (a zero side fixes no shape).
TCropRatio ReduceCropRatio(std::int32_t a, std::int32_t b);
// The ratio of the two spin edits; an empty edit (no value) gives the free ratio.
TCropRatio CropRatioFromEdits(std::optional<std::int32_t> width, std::optional<std::int32_t> height);
// A preset "AxB" reduced; free when the text is not two decimal numbers around an "x".
TCropRatio ParseCropPreset(std::string_view item);

// The preset lists of the options frame, in their order, and the index each starts on.
std::span<const std::string_view> CropPrintPresets();
std::span<const std::string_view> CropScreenPresets();
constexpr int CropPrintDefault = 0;   // "3x4"
constexpr int CropScreenDefault = 0;  // "4x3"

// How the crop ratio is chosen.
enum class TCropRatioMode { Free, Print, Screen };
// What the options frame shows: the mode buttons only with the options, and with them the controls of the
// checked mode (the sizes for free, the print list, or the screen list with both resolution groups).
struct TCropFrameVisibility {
    bool ModeButtons = false;
    bool SizePanel = false;
    bool PrintPanel = false;
    bool ScreenPanel = false;
    bool ResolutionGroups = false;
    friend bool operator==(const TCropFrameVisibility&, const TCropFrameVisibility&) = default;
};
TCropFrameVisibility CropFrameVisibility(bool optionsShown, TCropRatioMode mode);

// The selection after a change of part held to the ratio (nothing when free): the top and middle-top and
// bottom-middle handles set the right side from the height, right-middle and top-left the top from the
// width, bottom-right the bottom, bottom-left the left side; left-middle sets the top from the whole
// multiples of the ratio's width. Rounding is to the nearest integer, ties to even.
TKelvoRect ConstrainCropRect(const TKelvoRect& rect, int part, TCropRatio ratio);

// A new selection dragged from anchor to pointer: the spanned rectangle, constrained by the corner the pointer
// is at. Kept when inside imageArea; a free one reaching outside is clipped to it, a constrained one keeps
// current (clipping would break the ratio), as does an empty one.
TKelvoRect DragNewCropRect(TKelvoPoint anchor, TKelvoPoint pointer, const TKelvoRect& imageArea, TCropRatio ratio,
                           const TKelvoRect& current);
// start moved by (dx, dy) and pushed back inside imageArea keeping its size (its top-left wins when it is
// larger than the image).
TKelvoRect MoveCropRect(const TKelvoRect& start, std::int32_t dx, std::int32_t dy, const TKelvoRect& imageArea);
// A handle of start dragged by (dx, dy), constrained; taken under the same rule as DragNewCropRect.
TKelvoRect DragCropHandle(const TKelvoRect& start, int part, std::int32_t dx, std::int32_t dy,
                          const TKelvoRect& imageArea, TCropRatio ratio, const TKelvoRect& current);

// The shading of the image outside the selection: b - b x 92 div 256.
inline std::uint8_t DarkenCropByte(std::uint8_t b) { return std::uint8_t(b - b * 92 / 256); }
// Darkens every colour byte of pixels (24 or 32 bits) outside keep.
void DarkenOutside(const TKelvoPixels& pixels, const TKelvoRect& keep);
