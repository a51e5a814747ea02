// Where the buttons of a radio group go: columns filled top to bottom, the rows sharing the height below
// the caption line.
#pragma once
#include <vector>

#include "classlib/core/Geometry.h"

namespace uni {

struct TRadioGroupMetrics {
    int buttonCount = 0;
    int columns = 1;  // clamped to 1..16
    int width = 0;    // of the group
    int height = 0;
    int textHeight = 0;  // of the group font
    bool rightToLeft = false;
    int clientWidth = 0;  // mirrored against for right-to-left reading
};

inline constexpr int kMinRadioColumns = 1;
inline constexpr int kMaxRadioColumns = 16;

// The rectangle of every button (left, top, column width, row height). No buttons: none, and nothing is
// divided; a group too small for its rows gives rows of height 0, never negative.
std::vector<TRect> ArrangeRadioButtons(const TRadioGroupMetrics& m);

}  // namespace uni
