// The text that a rotated (top-to-bottom) caption shows: accelerator marks taken out with the underlined
// character remembered, and a text too long for its rectangle shortened with an ellipsis.
#pragma once
#include <cstdint>
#include <functional>

#include "classlib/core/Types.h"

namespace tb {

// The DrawText flags that the rotated drawing honours (the system's values).
constexpr std::uint32_t kDtCenter = 0x1;
constexpr std::uint32_t kDtNoClip = 0x100;
constexpr std::uint32_t kDtNoPrefix = 0x800;
constexpr std::uint32_t kDtEndEllipsis = 0x8000;
constexpr std::uint32_t kDtHidePrefix = 0x100000;

struct TRotatedCaption {
    WideString text;
    // Index in text of the underlined character, -1 for none.
    int accelIndex = -1;
};

// Measures a text along its line (the rotated caption's height), in pixels.
using TTextWidthFn = std::function<int(const WideString& text)>;

// Unless format has kDtNoPrefix, every "&" is removed ("&&" leaves one) and the character after the last
// single "&" becomes the accelerator. With kDtEndEllipsis, a text of more than one character that is longer
// than height is cut: below 3 pixels to its first character, otherwise from the end until the rest and "..."
// fit or one character is left; "..." is then appended and an accelerator beyond the kept characters dropped.
TRotatedCaption LayoutRotatedCaption(std::u16string_view caption, std::uint32_t format, int height,
                                     const TTextWidthFn& widthOf);

}  // namespace tb
