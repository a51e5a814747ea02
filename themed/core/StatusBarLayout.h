// The layout of the themed status bar without a window: which panels show in a given width and where, the
// places of a panel's image and text, the size grip's rectangle and when it is active, and the panel under a
// point.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/ControlTypes.h"
#include "classlib/core/Geometry.h"

namespace skin {

struct TStatusPanelSpec {
    int Size = 50;
    int MaxSize = 0;                   // 0: no limit
    std::uint8_t StretchPriority = 0;  // 0: never stretched
    std::uint8_t ViewPriority = 100;   // 0: never shown; 100: never dropped
};

struct TStatusPanelPlace {
    bool Shown = false;
    bool TouchesEnd = false;
    int CurrentSize = 0;
    TRect Bounds{};  // empty when hidden
};

// The panel band starts 2 pixels below the client's top and takes the client's width. While the shown panels
// are wider than that, the one with the lowest view priority (the last of equals) goes, as long as two or
// more show and that priority is below 100; width left over goes to stretchable panels by descending stretch
// priority, each up to its MaxSize; a panel that would start at or past the right edge is hidden.
std::vector<TStatusPanelPlace> ArrangeStatusPanels(const std::vector<TStatusPanelSpec>& panels, const TRect& client);

struct TStatusPanelContent {
    TRect Image{};  // empty without an image
    TRect Text{};
};
// content: the panel's content rectangle; it is narrowed by one pixel on each side first.
TStatusPanelContent PlaceStatusPanelContent(const TRect& content, TAlignment alignment, bool image, int imageWidth,
                                            int imageHeight);

// From 3 pixels below the client's top to its bottom, scrollBarWidth wide at the right edge.
TRect SizeGripRect(const TRect& client, int scrollBarWidth);
// The grip works only while on, with the form in its normal state and the bar's bottom-right corner on the
// form client's bottom-right corner (both in screen coordinates).
bool SizeGripActive(bool sizeGrip, bool formNormal, TPoint barBottomRight, TPoint formClientBottomRight);

// The index of the shown panel whose rectangle holds p, or -1.
int StatusPanelAt(const std::vector<TStatusPanelPlace>& places, TPoint p);

}  // namespace skin
