#include "themed/core/DockPanelGeometry.h"

#include <algorithm>
#include <numeric>

namespace skin {

namespace {

constexpr int kHitClient = 1, kHitNowhere = 0, kHitCaption = 2000, kHitClose = 2001;
constexpr int kHitLeft = 10, kHitRight = 11, kHitTop = 12, kHitBottom = 15;
constexpr std::int32_t kSmallestEdgeBand = 4;

// value * k / n rounded half away from zero, exact for any 32-bit value and panel count.
std::int64_t ShareUpTo(std::int64_t value, std::int64_t k, std::int64_t n) {
    const std::int64_t p = value * k;
    return p >= 0 ? (2 * p + n) / (2 * n) : -((-2 * p + n) / (2 * n));
}

}  // namespace

std::int32_t ClampMinClientSize(std::int32_t value) { return std::max(value, kPanelSmallestClient); }

std::int32_t ClampDockedSize(std::int32_t value, std::int32_t minClient, std::int32_t maxClient) {
    value = std::max(value, minClient);
    if (maxClient > 0) value = std::min(value, maxClient);
    return value;
}

std::int32_t ClampFloatingSize(std::int32_t value, std::int32_t minClient, bool docked) {
    value = std::max(value, 0);
    if (!docked) value = std::max(value, minClient);
    return value;
}

std::vector<std::int32_t> SpreadLength(const std::vector<TSpreadPanel>& panels, std::int32_t length) {
    std::vector<std::int64_t> sizes;
    std::int64_t sumMin = 0, sumMax = 0;
    bool bounded = true;
    for (const TSpreadPanel& p : panels) {
        sizes.push_back(p.Size);
        sumMin += p.Min;
        sumMax += p.Max;
        if (p.Max <= 0) bounded = false;
    }
    auto result = [&] { return std::vector<std::int32_t>(sizes.begin(), sizes.end()); };
    if (panels.empty()) return {};
    if (length <= sumMin) {
        for (std::size_t i = 0; i < panels.size(); ++i) sizes[i] = panels[i].Min;
        return result();
    }
    if (bounded && length >= sumMax) {
        for (std::size_t i = 0; i < panels.size(); ++i) sizes[i] = panels[i].Max;
        return result();
    }
    std::vector<bool> held(panels.size(), false);
    // Every round either shares the whole difference or holds one more panel at a limit, so it ends.
    for (;;) {
        const std::int64_t diff = length - std::accumulate(sizes.begin(), sizes.end(), std::int64_t{0});
        if (diff == 0) break;
        std::vector<std::size_t> movable;
        for (std::size_t i = 0; i < panels.size(); ++i) {
            if (held[i]) continue;
            const bool canMove = diff > 0 ? (panels[i].Max <= 0 || sizes[i] < panels[i].Max) : sizes[i] > panels[i].Min;
            if (canMove) movable.push_back(i);
        }
        if (movable.empty()) break;
        const auto n = static_cast<std::int64_t>(movable.size());
        for (std::int64_t k = 0; k < n; ++k) {
            const std::size_t i = movable[static_cast<std::size_t>(k)];
            sizes[i] += ShareUpTo(diff, k + 1, n) - ShareUpTo(diff, k, n);
            if (sizes[i] < panels[i].Min) {
                sizes[i] = panels[i].Min;
                held[i] = true;
            } else if (panels[i].Max > 0 && sizes[i] > panels[i].Max) {
                sizes[i] = panels[i].Max;
                held[i] = true;
            }
        }
    }
    return result();
}

std::int32_t DockedSizingLimit(const TDockedSizingInput& in) {
    std::int32_t size = std::min(in.Proposed, in.Current + in.ParentFree - kPanelResizeReserve);
    std::int32_t client = std::max(size - in.NCSize, in.MinClient);
    if (in.MaxClient > in.MinClient) client = std::min(client, in.MaxClient);
    return client + in.NCSize;
}

bool IsSplitterHitCode(int hitCode) { return hitCode >= kHitSplitterTop && hitCode <= kHitSplitterRight; }

bool ResizesWidth(int hitCode) {
    return hitCode == kHitLeft || hitCode == kHitRight || hitCode == kHitSplitterLeft || hitCode == kHitSplitterRight;
}

std::int32_t DockedResizeProposal(int hitCode, TSize startSize, TPoint offset) {
    switch (hitCode) {
        case kHitLeft:
        case kHitSplitterLeft: return startSize.cx - offset.X;
        case kHitRight:
        case kHitSplitterRight: return startSize.cx + offset.X;
        case kHitTop:
        case kHitSplitterTop: return startSize.cy - offset.Y;
        case kHitBottom:
        case kHitSplitterBottom: return startSize.cy + offset.Y;
        default: return ResizesWidth(hitCode) ? startSize.cx : startSize.cy;
    }
}

bool DockedCaptionVertical(TDPCaptionRotation rotation, TTBDockPosition position) {
    switch (rotation) {
        case dpcrAlwaysHorz: return false;
        case dpcrAlwaysVert: return true;
        case dpcrAuto: break;
    }
    return !tb::IsVerticalDock(position);
}

TPanelNCExtents PanelNCExtents(const TPanelFrameInput& in) {
    TPanelNCExtents e{in.Border, in.Border};
    if (in.ShowCaption) {
        if (in.Vertical)
            e.TopLeft.cx += in.SmallCaptionHeight;
        else
            e.TopLeft.cy += in.SmallCaptionHeight;
    }
    return e;
}

TRect PanelCaptionRect(const TPanelFrameInput& in) {
    if (!in.ShowCaption) return TRect{};
    const TSize b = in.Border;
    if (in.Vertical) return Rect(b.cx, b.cy, b.cx + in.SmallCaptionHeight, in.WindowSize.cy - b.cy);
    return Rect(b.cx, b.cy, in.WindowSize.cx - b.cx, b.cy + in.SmallCaptionHeight);
}

TRect PanelCloseButtonRect(const TPanelFrameInput& in) {
    if (!in.ShowCaption || !in.CloseButton) return TRect{};
    const int side = in.SmallCaptionHeight - 1;
    if (in.Vertical) return Bounds(2, in.WindowSize.cy - 2 - side, side, side);
    return Bounds(in.WindowSize.cx - 2 - side, 2, side, side);
}

int InnerEdgeHitCode(TTBDockPosition position) {
    switch (position) {
        case dpLeft: return kHitRight;
        case dpRight: return kHitLeft;
        case dpTop: return kHitBottom;
        case dpBottom: return kHitTop;
    }
    return kHitNowhere;
}

int PanelHitTest(const TPanelFrameInput& in, TPoint point) {
    const TPanelNCExtents e = PanelNCExtents(in);
    const TSize w = in.WindowSize;
    const TRect client = Rect(e.TopLeft.cx, e.TopLeft.cy, w.cx - e.BottomRight.cx, w.cy - e.BottomRight.cy);
    if (PanelCloseButtonRect(in).Contains(point)) return kHitClose;
    if (in.Resizable) {
        const int bandX = std::max(in.Border.cx, kSmallestEdgeBand), bandY = std::max(in.Border.cy, kSmallestEdgeBand);
        const bool left = point.X < bandX, right = point.X >= w.cx - bandX;
        const bool top = point.Y < bandY, bottom = point.Y >= w.cy - bandY;
        const bool vertical = tb::IsVerticalDock(in.Position);
        // The edge away from the dock's side resizes the panel across the dock; its band reaches into the
        // client when the border is thinner than the band, so that a thin frame can still be taken.
        const int inner = InnerEdgeHitCode(in.Position);
        if ((inner == kHitLeft && left) || (inner == kHitRight && right) || (inner == kHitTop && top) ||
            (inner == kHitBottom && bottom))
            return inner;
        // Along the dock, the edges shared with a neighbouring panel are splitters.
        if (vertical) {
            if (in.PanelBefore && top) return kHitSplitterTop;
            if (in.PanelAfter && bottom) return kHitSplitterBottom;
        } else {
            if (in.PanelBefore && left) return kHitSplitterLeft;
            if (in.PanelAfter && right) return kHitSplitterRight;
        }
    }
    if (client.Contains(point)) return kHitClient;
    if (PanelCaptionRect(in).Contains(point)) return kHitCaption;
    return kHitNowhere;
}

}  // namespace skin
