// The eight sizing handles of an on-image box (the crop selection, the text box): their codes, where they sit,
// which one a point hits, and how a drag of each moves the box's sides.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"

// Hit codes. Below PartInside nothing is grabbed.
constexpr int PartNone = 0;
constexpr int PartInside = 3;  // moves the whole box
constexpr int PartTop = 4;
constexpr int PartTopRight = 5;
constexpr int PartRight = 6;
constexpr int PartBottomRight = 7;
constexpr int PartBottom = 8;
constexpr int PartBottomLeft = 9;
constexpr int PartLeft = 10;
constexpr int PartTopLeft = 11;

// The keys the on-image boxes answer.
constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;

// True when point lies in the half-open rectangle.
inline bool RectHolds(const TKelvoRect& r, TKelvoPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// Half the side of a handle square: a handle covers its point - 4 .. point + 4 (9 x 9 pixels).
constexpr int HandleRadius = 4;

// The point of a handle of a screen box: x is left, (left + right) div 2 or right - 1, y likewise. PartInside
// and PartNone give the centre.
TKelvoPoint HandlePoint(const TKelvoRect& box, int part);

// The part of the screen box under point: the handles in the order top left, top, top right, right, bottom
// left, bottom, bottom right, left (the first one hit wins where small boxes make them overlap), then
// PartInside, else PartNone.
int HandleAt(const TKelvoRect& box, TKelvoPoint point);

// Which sides a part moves: each is 1 when the side follows the pointer, else 0.
struct TDragSides {
    int Left = 0;
    int Right = 0;
    int Top = 0;
    int Bottom = 0;
};
TDragSides DragSidesOf(int part);

// start with each side moved by dx or dy as the part says (not normalised). Raises EIntOverflow rather than
// wrapping.
TKelvoRect DragBox(const TKelvoRect& start, int part, std::int32_t dx, std::int32_t dy);

// The pointer shape over a part of a placed box.
enum class THandleCursor { Default, SizeAll, SizeNS, SizeNESW, SizeWE, SizeNWSE };
THandleCursor HandleCursor(int part);

// The rectangle spanned by two points (left <= right, top <= bottom).
TKelvoRect NormalizedRect(TKelvoPoint a, TKelvoPoint b);
