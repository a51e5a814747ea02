// The arithmetic of dockable panels and of the multi-dock that holds them: the clamps of a panel's sizes, how a
// multi-dock shares its length among the panels in its one line, the limit of a docked edge resize, and the
// geometry of a docked panel's frame (caption band, close button, the hit codes of its edges). Pure functions;
// themed/win/TSkinDockablePanel and themed/win/TSkinMultiDock feed them the windows' and the system's values.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Geometry.h"
#include "toolbar/core/DockLayout.h"

enum TDPCaptionRotation : std::uint8_t { dpcrAuto, dpcrAlwaysHorz, dpcrAlwaysVert };

namespace skin {

constexpr std::int32_t kPanelSmallestClient = 8;
constexpr std::int32_t kPanelDefaultMinClient = 32;
constexpr std::int32_t kPanelDefaultSize = 128;
// What a docked edge resize always leaves of the space beside the dock.
constexpr std::int32_t kPanelResizeReserve = 32;

// Hit codes of a docked panel beyond the system's sizing codes: the splitters between panels of a multi-dock,
// by the side of the panel they lie on.
constexpr int kHitSplitterTop = 86, kHitSplitterBottom = 87, kHitSplitterLeft = 88, kHitSplitterRight = 89;

// A minimum client size never goes below 8 pixels.
std::int32_t ClampMinClientSize(std::int32_t value);
// A docked size: at least the minimum client size, then at most the maximum when that is above 0.
std::int32_t ClampDockedSize(std::int32_t value, std::int32_t minClient, std::int32_t maxClient);
// A floating size: never negative, and at least the minimum client size unless the panel is docked.
std::int32_t ClampFloatingSize(std::int32_t value, std::int32_t minClient, bool docked);

// One panel of a multi-dock's line: its wished length and its smallest and largest total length (client limits
// plus the non-client size); Max 0 means no limit.
struct TSpreadPanel {
    std::int32_t Size = 0;
    std::int32_t Min = 0;
    std::int32_t Max = 0;
};
// The lengths the panels take in a line of the given length: all minimums when the line is no longer than their
// sum, all maximums when it is no shorter than theirs; otherwise the difference is shared evenly among the panels
// that can still grow (or shrink), fractions carried so that the shares add up exactly, a panel that reaches a
// limit is held there and the rest shared again until nothing is left.
std::vector<std::int32_t> SpreadLength(const std::vector<TSpreadPanel>& panels, std::int32_t length);

// The size an edge resize may give a docked panel (width for a left or right edge, height for a top or bottom
// one): at most the current size plus the room the dock's parent leaves free, less 32; its client part at least
// the minimum and at most the maximum when that is above the minimum.
struct TDockedSizingInput {
    std::int32_t Proposed = 0;
    std::int32_t Current = 0;
    std::int32_t ParentFree = 0;
    std::int32_t NCSize = 0;
    std::int32_t MinClient = 0;
    std::int32_t MaxClient = 0;
};
std::int32_t DockedSizingLimit(const TDockedSizingInput& in);

// The outer size of a docked edge resize: the edge follows the pointer's offset from where it was pressed (the
// left and top edges grow the other way).
std::int32_t DockedResizeProposal(int hitCode, TSize startSize, TPoint offset);
// Whether a hit code resizes the width (left and right edges and splitters) rather than the height.
bool ResizesWidth(int hitCode);
bool IsSplitterHitCode(int hitCode);

// Whether the docked caption runs vertically along the left side.
bool DockedCaptionVertical(TDPCaptionRotation rotation, TTBDockPosition position);

// The docked frame of a panel: border on every side (the theme's view border), the caption band (the small-
// caption height) along the top, or along the left for a vertical caption.
struct TPanelFrameInput {
    TSize WindowSize;
    TSize Border;
    std::int32_t SmallCaptionHeight = 0;
    bool ShowCaption = true;
    bool Vertical = false;
    bool CloseButton = true;
    bool Resizable = true;
    TTBDockPosition Position = dpRight;
    // In a multi-dock: a panel lies before (above, left of) this one, or after it.
    bool PanelBefore = false;
    bool PanelAfter = false;
};
struct TPanelNCExtents {
    TSize TopLeft;
    TSize BottomRight;
    TSize Total() const { return TSize{TopLeft.cx + BottomRight.cx, TopLeft.cy + BottomRight.cy}; }
};
TPanelNCExtents PanelNCExtents(const TPanelFrameInput& in);
// The caption band in window coordinates (empty without a caption).
TRect PanelCaptionRect(const TPanelFrameInput& in);
// The close button: a square of the small-caption height less one, 2 pixels in from the top right (horizontal
// caption) or the bottom left (vertical caption); empty without caption or close button.
TRect PanelCloseButtonRect(const TPanelFrameInput& in);
// The edge of a docked panel that faces away from its dock's side, as a sizing hit code: right (11) on a left
// dock, left (10) on a right dock, bottom (15) on a top dock, top (12) on a bottom dock.
int InnerEdgeHitCode(TTBDockPosition position);
// The hit code of a window point of a docked panel, first match: the close button (2001); in the edge band (the
// border, at least 4 pixels) of a resizable panel the inner edge's sizing code, or a splitter code on the side
// of a neighbouring panel; the client (1); the caption (2000); else nowhere.
int PanelHitTest(const TPanelFrameInput& in, TPoint point);

}  // namespace skin
