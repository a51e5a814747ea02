#include "toolbar/core/MenuAnimation.h"

#include <cstdint>
#include <stdexcept>

#include "toolbar/core/PopupPosition.h"

namespace tb {

int MulDivRounded(int a, int b, int c) {
    if (c <= 0) throw std::invalid_argument("MulDivRounded: the divisor must be positive");
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : -((-p + half) / c));
}

TAnimationStep AnimationStep(std::uint32_t startTick, std::uint32_t nowTick, std::uint32_t duration, int startValue) {
    const std::uint32_t elapsed = nowTick - startTick;  // modular: right across the tick wrap
    if (duration == 0 || elapsed >= duration) return TAnimationStep{true, 255};
    const int value = static_cast<int>(static_cast<std::uint64_t>(elapsed) * 255 / duration) + startValue;
    if (value > 254) return TAnimationStep{true, 255};
    return TAnimationStep{false, value};
}

TPoint SlideOffset(int width, int height, int value, unsigned direction) {
    TPoint offset{0, 0};
    if (direction & kSlideFromTop) {
        offset.Y = MulDivRounded(height, value, 255) - height;
    } else if (direction & kSlideFromBottom) {
        offset.Y = height - MulDivRounded(height, value, 255);
    }
    if (direction & kSlideFromLeft) {
        offset.X = MulDivRounded(width, value, 255) - width;
    } else if (direction & kSlideFromRight) {
        offset.X = width - MulDivRounded(width, value, 255);
    }
    return offset;
}

}  // namespace tb
