#include "themed/core/SkinFrameGeometry.h"

namespace skin {

TRect FloatingCaptionRect(int width, int smallCaptionHeight, bool closeButton, TSize border, bool offsetByBorder) {
    TRect r = Rect(0, 0, width, smallCaptionHeight - 1);
    if (closeButton) r.Right -= r.Height();
    if (offsetByBorder) {
        r.Left += border.cx;
        r.Right += border.cx;
        r.Top += border.cy;
        r.Bottom += border.cy;
    }
    return r;
}

TRect FloatingCloseButtonRect(int width, int smallCaptionHeight, TSize border, bool offsetByBorder) {
    TRect r = FloatingCaptionRect(width, smallCaptionHeight, false, border, offsetByBorder);
    r.Left = r.Right - r.Height();
    return r;
}

int DragHandleSize(bool hasHandle, int style, bool closeButton) {
    if (!hasHandle) return 0;
    if (closeButton) return 14;
    static constexpr int sizes[] = {9, 0, 6};
    return (style >= 0 && style <= 2) ? sizes[style] : 0;
}

TRect DragHandleCloseRect(int handleSize, bool vertical, bool atFarEnd, int length) {
    const int side = handleSize - 1;
    if (side <= 0) return TRect{};
    int x = 0, y = 0;
    if (atFarEnd) {
        if (vertical)
            y = length - side;
        else
            x = length - side;
    }
    return Bounds(x, y, side, side);
}

}  // namespace skin
