#include "tools/core/Orientation.h"

#include <algorithm>

std::uint8_t InverseRotateOp(std::uint8_t op) {
    switch (op) {
        case RotateOpLeft: return RotateOpRight;
        case RotateOpRight: return RotateOpLeft;
        case RotateOpFlipHorizontal:
        case RotateOpFlipVertical: return op;
        default: return 0;
    }
}

TOrientation ComposeRotateOp(TOrientation o, std::uint8_t op) {
    switch (op) {
        case RotateOpLeft: o.Turns = (o.Turns + 3) % 4; break;
        case RotateOpRight: o.Turns = (o.Turns + 1) % 4; break;
        // A mirror after t turns equals t turns the other way after the mirror.
        case RotateOpFlipHorizontal:
            o.Turns = (4 - o.Turns) % 4;
            o.Mirrored = !o.Mirrored;
            break;
        // The vertical mirror is the horizontal one followed by a half turn.
        case RotateOpFlipVertical:
            o.Turns = (6 - o.Turns) % 4;
            o.Mirrored = !o.Mirrored;
            break;
        default: break;
    }
    return o;
}

TSize OrientedSize(TOrientation o, std::int32_t width, std::int32_t height) {
    return o.Turns % 2 ? TSize{height, width} : TSize{width, height};
}

TKelvoPoint OrientedPoint(TOrientation o, std::int32_t width, std::int32_t height, TKelvoPoint p) {
    if (o.Mirrored) p.X = width - 1 - p.X;
    for (int i = 0; i < o.Turns; ++i) {
        p = MakePoint(height - 1 - p.Y, p.X);  // one clockwise turn; the sides swap
        std::swap(width, height);
    }
    return p;
}

std::int32_t ThumbnailSide(std::int32_t viewWidth, std::int32_t viewHeight) {
    return std::max(0, std::min(viewWidth, viewHeight) - 2);
}

TKelvoPoint PreviewOffset(std::int32_t viewWidth, std::int32_t viewHeight, std::int32_t previewWidth,
                          std::int32_t previewHeight) {
    return MakePoint((viewWidth - previewWidth) / 2, (viewHeight - previewHeight) / 2);
}
