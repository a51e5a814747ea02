// The arithmetic of a scrolling view. The view's scroll position is minus its viewport origin; the content is
// the union of its objects' device bounds. Content smaller than the window is centred; content larger than it
// scrolls between 0 and the excess (content size minus window size, plus the other axis's scroll bar when
// that bar is needed too).
#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

// v held to the int32 range: device coordinates computed in 64 bits saturate instead of wrapping.
inline std::int32_t ClampToInt32(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

struct TKelvoScrollInput {
    std::int32_t ContentWidth = 0, ContentHeight = 0;
    // The client size as it is with no scroll bar shown.
    std::int32_t ClientWidth = 0, ClientHeight = 0;
    // The system's vertical scroll bar width and horizontal scroll bar height.
    std::int32_t VBarWidth = 0, HBarHeight = 0;
    // The viewport origin.
    std::int32_t OriginX = 0, OriginY = 0;
};

struct TKelvoScrollResult {
    // How far the origin must move: to centre small content, or to pull scrolled-past content back.
    std::int32_t DeltaX = 0, DeltaY = 0;
    // Content size minus the room for it, per axis: above 0 the axis scrolls, below 0 it is centred.
    std::int32_t ExcessX = 0, ExcessY = 0;
};

TKelvoScrollResult ComputeScroll(const TKelvoScrollInput& in);

// Limits a requested move of the origin (the hand tool, auto-scroll) per axis: none on an axis without
// excess; never past the last position (origin >= -excess) nor before the first (origin <= 0).
void ClampScrollDelta(std::int32_t& dx, std::int32_t& dy, std::int32_t originX, std::int32_t originY,
                      std::int32_t excessX, std::int32_t excessY);

// Scroll-bar requests (the SB_ codes).
enum TKelvoScrollRequest : std::int32_t {
    KelvoLineUp = 0,
    KelvoLineDown = 1,
    KelvoPageUp = 2,
    KelvoPageDown = 3,
    KelvoThumbPosition = 4,
    KelvoThumbTrack = 5,
    KelvoTop = 6,
    KelvoBottom = 7,
    KelvoEndScroll = 8
};

// What one scroll bar tells of itself.
struct TKelvoScrollBarState {
    std::int32_t Min = 0, Max = 0, Page = 0, Pos = 0, TrackPos = 0;
};

// The move of the bar's position that a request asks for: a line step, three quarters of a page (rounded as
// MulDiv rounds), the thumb's way while it is dragged; other requests do not move. Then limited to the bar's
// range: never before Min, never past the last position Max - Page + 1 (nothing moves when there is no range).
std::int32_t ScrollRequestDelta(std::int32_t request, const TKelvoScrollBarState& bar, std::int32_t lineStep);

// The scroll bar of an axis for an excess and a client size (with the bars that are shown): range 0 to
// excess + client - 1, a client-sized page, the position minus the origin. Without excess the range fits the
// page, so that the system hides the bar.
struct TKelvoScrollBarSetting {
    std::int32_t Min = 0, Max = 0, Page = 0, Pos = 0;
};
TKelvoScrollBarSetting ScrollBarSetting(std::int32_t excess, std::int32_t client, std::int32_t origin);

// a * b / c rounded half away from zero, as the system's MulDiv; 0 for c = 0.
std::int32_t KelvoMulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
