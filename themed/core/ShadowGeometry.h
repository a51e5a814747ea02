// The drop shadows that popups cast: which pieces a popup gets, and the alpha of each piece's pixels (the
// shadow's colour bytes are 0). A horizontal piece lies below the popup and darkens towards it (row 0 is at
// the popup's edge); a vertical piece lies right of it (column 0 at the popup's edge). Either may have a
// soft corner at its start (left or top) and at its end.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Geometry.h"

namespace skin {

enum : unsigned { shadowSoftStart = 1, shadowSoftEnd = 2 };

// 0 plain (the button-shadow colour), 1 a layered window with per-pixel alpha, 2 alpha-blended onto the
// erased background.
int ChooseShadowMode(bool noAlpha, bool haveUpdateLayeredWindow, bool haveAlphaBlend);
// The size the pieces get: halved without alpha (asked for, or neither blending function present).
int EffectiveShadowSize(int size, bool noAlpha, bool haveUpdateLayeredWindow, bool haveAlphaBlend);

// Lengths of the start corner, the straight middle and the end corner of a piece length long whose soft
// corners are thickness long: two corners that do not fit share the length (length div 2 each, an odd
// pixel left straight), a single one takes all of it.
struct TShadowSpans {
    int start = 0, middle = 0, end = 0;
};
TShadowSpans SplitShadow(int length, int thickness, unsigned ends);

// The alpha of every pixel of a piece, rows top-down, width x height bytes; empty for an empty piece.
std::vector<std::uint8_t> HorzShadowAlpha(int width, int height, unsigned ends);
std::vector<std::uint8_t> VertShadowAlpha(int width, int height, unsigned ends);

struct TShadowPiece {
    TRect bounds;
    bool horizontal = false;
    unsigned ends = 0;
    friend bool operator==(const TShadowPiece&, const TShadowPiece&) = default;
};

// The pieces around popup (screen rectangles). An opener that touches the popup along a side (a menu item
// above or beside it) joins it: the two then cast one shadow, each piece cut where it would fall on either
// rectangle and kept soft only at its free ends. An empty opener, or one that does not touch, is ignored.
std::vector<TShadowPiece> ShadowPieces(const TRect& popup, const TRect& opener, int size);

}  // namespace skin
