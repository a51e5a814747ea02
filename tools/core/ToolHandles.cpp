#include "tools/core/ToolHandles.h"

#include <algorithm>
#include <cstdlib>

#include "classlib/core/Checked.h"

TKelvoPoint HandlePoint(const TKelvoRect& box, int part) {
    const std::int32_t midX = std::int32_t((std::int64_t(box.Left) + box.Right) / 2);
    const std::int32_t midY = std::int32_t((std::int64_t(box.Top) + box.Bottom) / 2);
    const std::int32_t right = box.Right - 1;
    const std::int32_t bottom = box.Bottom - 1;
    switch (part) {
        case PartTop: return MakePoint(midX, box.Top);
        case PartTopRight: return MakePoint(right, box.Top);
        case PartRight: return MakePoint(right, midY);
        case PartBottomRight: return MakePoint(right, bottom);
        case PartBottom: return MakePoint(midX, bottom);
        case PartBottomLeft: return MakePoint(box.Left, bottom);
        case PartLeft: return MakePoint(box.Left, midY);
        case PartTopLeft: return MakePoint(box.Left, box.Top);
        default: return MakePoint(midX, midY);
    }
}

int HandleAt(const TKelvoRect& box, TKelvoPoint point) {
    static constexpr int Order[] = {PartTopLeft,    PartTop,    PartTopRight,    PartRight,
                                    PartBottomLeft, PartBottom, PartBottomRight, PartLeft};
    for (int part : Order) {
        const TKelvoPoint h = HandlePoint(box, part);
        if (std::llabs(std::int64_t(point.X) - h.X) <= HandleRadius &&
            std::llabs(std::int64_t(point.Y) - h.Y) <= HandleRadius)
            return part;
    }
    if (RectHolds(box, point)) return PartInside;
    return PartNone;
}

TDragSides DragSidesOf(int part) {
    switch (part) {
        case PartInside: return {1, 1, 1, 1};
        case PartTop: return {0, 0, 1, 0};
        case PartTopRight: return {0, 1, 1, 0};
        case PartRight: return {0, 1, 0, 0};
        case PartBottomRight: return {0, 1, 0, 1};
        case PartBottom: return {0, 0, 0, 1};
        case PartBottomLeft: return {1, 0, 0, 1};
        case PartLeft: return {1, 0, 0, 0};
        case PartTopLeft: return {1, 0, 1, 0};
        default: return {};
    }
}

TKelvoRect DragBox(const TKelvoRect& start, int part, std::int32_t dx, std::int32_t dy) {
    const TDragSides s = DragSidesOf(part);
    return MakeRect(CheckedAdd(start.Left, s.Left * dx), CheckedAdd(start.Top, s.Top * dy),
                    CheckedAdd(start.Right, s.Right * dx), CheckedAdd(start.Bottom, s.Bottom * dy));
}

TKelvoRect NormalizedRect(TKelvoPoint a, TKelvoPoint b) {
    return MakeRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

THandleCursor HandleCursor(int part) {
    switch (part) {
        case PartInside: return THandleCursor::SizeAll;
        case PartTop:
        case PartBottom: return THandleCursor::SizeNS;
        case PartTopRight:
        case PartBottomLeft: return THandleCursor::SizeNESW;
        case PartRight:
        case PartLeft: return THandleCursor::SizeWE;
        case PartBottomRight:
        case PartTopLeft: return THandleCursor::SizeNWSE;
        default: return THandleCursor::Default;
    }
}
