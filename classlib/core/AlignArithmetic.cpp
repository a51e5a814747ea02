#include "classlib/core/AlignArithmetic.h"

#include <algorithm>
#include <numeric>

int ConstrainExtent(int value, int minimum, int maximum) {
    if (maximum > 0 && value > maximum) value = maximum;
    if (minimum > 0 && value < minimum) value = minimum;
    return value;
}

TAnchors AnchorsForAlign(TAlign align, TAnchors current) {
    switch (align) {
        case alTop: return {akLeft, akTop, akRight};
        case alBottom: return {akLeft, akRight, akBottom};
        case alLeft: return {akLeft, akTop, akBottom};
        case alRight: return {akRight, akTop, akBottom};
        case alClient: return {akLeft, akTop, akRight, akBottom};
        default: return current;
    }
}

namespace {

// The coordinate that orders children of one alignment: smaller comes first.
int StackKey(TAlign align, const TRect& r) {
    switch (align) {
        case alTop: return r.Top;
        case alBottom: return -r.Bottom;
        case alLeft: return r.Left;
        case alRight: return -r.Right;
        default: return 0;
    }
}

// Places one aligned child into area and takes its room from area (none when hidden). A child fills the
// area across its edge; along it, it keeps its own extent.
TRect Stack(TAlign align, const TAlignItem& item, TRect& area) {
    const TSizeConstraintsData& c = item.Constraints;
    if (align == alClient)
        return Bounds(area.Left, area.Top, ConstrainExtent(area.Width(), c.MinWidth, c.MaxWidth),
                      ConstrainExtent(area.Height(), c.MinHeight, c.MaxHeight));
    const bool vertical = align == alTop || align == alBottom;
    const bool fromFarEdge = align == alBottom || align == alRight;
    int across = vertical ? ConstrainExtent(area.Width(), c.MinWidth, c.MaxWidth)
                          : ConstrainExtent(area.Height(), c.MinHeight, c.MaxHeight);
    int along = vertical ? item.Bounds.Height() : item.Bounds.Width();
    if (item.Visible)
        along = vertical ? ConstrainExtent(along, c.MinHeight, c.MaxHeight)
                         : ConstrainExtent(along, c.MinWidth, c.MaxWidth);
    int& edge = vertical ? (fromFarEdge ? area.Bottom : area.Top) : (fromFarEdge ? area.Right : area.Left);
    int start = fromFarEdge ? edge - along : edge;
    if (item.Visible) edge += fromFarEdge ? -along : along;
    return vertical ? Bounds(area.Left, start, across, along) : Bounds(start, area.Top, along, across);
}

// One axis of an anchored child: position and extent from the anchoring base and the parent's growth.
void AnchorAxis(bool nearEdge, bool farEdge, int grow, int& pos, int& extent) {
    if (nearEdge && farEdge)
        extent += grow;
    else if (farEdge)
        pos += grow;
    else if (!nearEdge)
        pos += grow / 2;
}

TRect Anchor(const TAlignItem& item, const TRect& area) {
    if (item.Anchors == TAnchors{akLeft, akTop}) return item.Bounds;
    if (item.AnchorParentSize.cx <= 0 && item.AnchorParentSize.cy <= 0) return item.Bounds;
    int left = item.AnchorBase.Left, width = item.AnchorBase.Width();
    int top = item.AnchorBase.Top, height = item.AnchorBase.Height();
    AnchorAxis(item.Anchors.Contains(akLeft), item.Anchors.Contains(akRight), area.Width() - item.AnchorParentSize.cx,
               left, width);
    AnchorAxis(item.Anchors.Contains(akTop), item.Anchors.Contains(akBottom), area.Height() - item.AnchorParentSize.cy,
               top, height);
    const TSizeConstraintsData& c = item.Constraints;
    width = std::max(0, ConstrainExtent(width, c.MinWidth, c.MaxWidth));
    height = std::max(0, ConstrainExtent(height, c.MinHeight, c.MaxHeight));
    return Bounds(left, top, width, height);
}

}  // namespace

std::vector<TAlignPlacement> ArrangeControls(TRect& area, std::span<const TAlignItem> items) {
    const TRect whole = area;
    std::vector<TAlignPlacement> out(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) out[i] = TAlignPlacement{items[i].Bounds, items[i].Order};

    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<std::size_t> stack;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].Align == align) stack.push_back(i);
        std::stable_sort(stack.begin(), stack.end(), [&](std::size_t a, std::size_t b) {
            int ka = StackKey(align, items[a].Bounds), kb = StackKey(align, items[b].Bounds);
            if (ka != kb) return ka < kb;
            if (items[a].Order != items[b].Order) return items[a].Order < items[b].Order;
            return items[a].Moving && !items[b].Moving;
        });
        for (std::size_t k = 0; k < stack.size(); ++k) {
            std::size_t i = stack[k];
            out[i].Bounds = Stack(align, items[i], area);
            out[i].Order = static_cast<int>(k);
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].Align == alNone) out[i].Bounds = Anchor(items[i], whole);
    return out;
}
