// The arithmetic of the popup menus' opening animation: a fade from a faint image up to opaque, or a slide
// in from one side by a window region that grows over the window. A worker thread only paces the steps
// (AnimationStep); the popup's window applies each value on the UI thread (SlideOffset).
//
// Values run from the start value to 255 over the duration. The tick count wraps after 49.7 days, so the
// elapsed time is the unsigned difference of two ticks.
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"

namespace tb {

// Window messages from the animation thread to the animated window: a step (lParam = the animation id)
// and the end of the animation.
constexpr unsigned kAnimationStepMessage = 2389;
constexpr unsigned kAnimationEndMessage = 2390;

// Fade: from a constant alpha of 40 over 175 ms. Slide: from nothing over 150 ms.
constexpr std::uint32_t kFadeDuration = 175;
constexpr int kFadeStartValue = 40;
constexpr std::uint32_t kSlideDuration = 150;
constexpr int kSlideStartValue = 0;
// The thread steps at most every 10 ms, sleeping 5 ms at a time.
constexpr std::uint32_t kAnimationStepInterval = 10;
constexpr std::uint32_t kAnimationSleep = 5;

struct TAnimationStep {
    bool stop = false;  // the animation has run its course
    int value = 0;      // the value for this moment (when not stopping)
};

// The value at elapsed ms of an animation of duration ms starting at startValue; it stops at the duration
// and once the value would pass 254.
TAnimationStep AnimationStep(std::uint32_t startTick, std::uint32_t nowTick, std::uint32_t duration, int startValue);

// Where the captured image of a width x height window stands at value (0..255) while it slides in from the
// sides of direction (kSlideFrom... bits of PopupPosition.h): (0, 0) once value is 255.
TPoint SlideOffset(int width, int height, int value, unsigned direction);

// a * b / c rounded to the nearest as the system's MulDiv does (halves away from zero); c > 0.
int MulDivRounded(int a, int b, int c);

}  // namespace tb
