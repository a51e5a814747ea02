// Where a parent's aligned and anchored children go. The children of each alignment are stacked in the order
// top, bottom, left, right, client into the parent's area; among the children of one alignment the nearer
// one to that edge comes first (alTop: the smaller Top), ties going to the earlier place at the previous
// alignment and then to the child whose change started the alignment. A hidden child takes no room, but its
// position follows its place in the stack, so when it is shown again it returns to the same place.
// Children not aligned follow their anchors from the bounds they had when last placed by hand.
#pragma once
#include <span>
#include <vector>

#include "classlib/core/ControlTypes.h"
#include "classlib/core/Geometry.h"

struct TAlignItem {
    TAlign Align = alNone;
    TAnchors Anchors{akLeft, akTop};
    bool Visible = true;
    TRect Bounds;
    TSizeConstraintsData Constraints;
    // Place among the children of the same alignment at the previous alignment.
    int Order = 0;
    // The child whose change started this alignment.
    bool Moving = false;
    // The bounds and the parent area's size that anchoring measures from; a zero size means not known yet.
    TRect AnchorBase;
    TSize AnchorParentSize;
};

struct TAlignPlacement {
    TRect Bounds;
    int Order = 0;
};

// The new bounds and order of every item (same index). Alignments leave area's remainder in area.
std::vector<TAlignPlacement> ArrangeControls(TRect& area, std::span<const TAlignItem> items);

// value limited to [min, max] where a limit of 0 is no limit.
int ConstrainExtent(int value, int minimum, int maximum);
// The anchors an alignment implies; alNone and alCustom keep current.
TAnchors AnchorsForAlign(TAlign align, TAnchors current);
