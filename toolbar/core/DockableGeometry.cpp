#include "toolbar/core/DockableGeometry.h"

#include <algorithm>

#include "classlib/core/Checked.h"

namespace tb {
namespace {

using i32 = std::int32_t;

// Handle size and first bar offset by style (dhDouble, dhNone, dhSingle), without and with the docked close
// button: the close button needs a 14-pixel strip whatever the bars.
constexpr TDragHandleMetrics kHandles[3][2] = {
    {{9, 2}, {14, 3}},
    {{0, 0}, {14, 0}},
    {{6, 1}, {14, 5}},
};

// The system's MulDiv; a one-pixel-wide window (never made, but possible) grabs at its left edge.
i32 GrabOffset(i32 extent, i32 press, i32 outer) {
    if (outer <= 1) return 0;
    return MulDivRound(extent, press, outer - 1);
}

}  // namespace

TDragHandleMetrics DragHandleMetrics(TTBDragHandleStyle style, bool closeButtonWhenDocked) {
    return kHandles[static_cast<int>(style) % 3][closeButtonWhenDocked ? 1 : 0];
}

TNCExtents DockedNCExtents(TTBDockPosition position, bool allowDrag, TTBDragHandleStyle style,
                           bool closeButtonWhenDocked) {
    TNCExtents e{TSize{2, 2}, TSize{2, 2}};
    if (allowDrag) {
        const i32 handle = DragHandleMetrics(style, closeButtonWhenDocked).Size;
        if (IsVerticalDock(position))
            e.TopLeft.cy += handle;
        else
            e.TopLeft.cx += handle;
    }
    return e;
}

TRect DockedCloseButtonRect(TTBDockPosition position, TTBDragHandleStyle style, std::int32_t clientWidth) {
    const i32 handle = DragHandleMetrics(style, true).Size;
    const i32 side = handle - 3;
    if (IsVerticalDock(position)) return Bounds(clientWidth - handle + 5, 3, side, side);
    return Bounds(3, 2, side, side);
}

int DockedHitTest(const TDockedHitInput& in, TPoint point) {
    const TNCExtents e = DockedNCExtents(in.Position, in.AllowDrag, in.Style, in.CloseButtonWhenDocked);
    const TRect client =
        Rect(e.TopLeft.cx, e.TopLeft.cy, in.WindowSize.cx - e.BottomRight.cx, in.WindowSize.cy - e.BottomRight.cy);
    if (client.Contains(point)) return kHitClient;
    if (in.CloseButtonWhenDocked && in.AllowDrag) {
        const TRect button = DockedCloseButtonRect(in.Position, in.Style, client.Width());
        if (button.Contains(point)) return kHitCloseButton;
    }
    return kHitDragHandle;
}

TNCExtents FloatingNCExtents(TSize border, bool showCaption, std::int32_t smallCaptionHeight) {
    return TNCExtents{TSize{border.cx, border.cy + (showCaption ? smallCaptionHeight : 0)}, border};
}

TFloatingCaptionRects FloatingCaptionRects(TSize border, std::int32_t clientWidth, std::int32_t smallCaptionHeight,
                                           bool closeButton) {
    const i32 h = smallCaptionHeight;
    TFloatingCaptionRects r;
    r.FullCaption = Bounds(border.cx, border.cy, clientWidth, h - 1);
    r.Caption = r.FullCaption;
    if (closeButton) {
        r.Caption.Right -= h - 1;
        r.CloseButton = r.FullCaption;
        r.CloseButton.Left = r.FullCaption.Right - h + 1;
    }
    return r;
}

int FloatingHitTest(const TFloatingHitInput& in, TPoint point) {
    const TNCExtents e = FloatingNCExtents(in.Border, in.ShowCaption, in.SmallCaptionHeight);
    const i32 clientWidth = in.WindowSize.cx - e.Total().cx;
    if (in.ShowCaption) {
        const TFloatingCaptionRects caption =
            FloatingCaptionRects(in.Border, clientWidth, in.SmallCaptionHeight, in.CloseButton);
        if (in.CloseButton && caption.CloseButton.Contains(point)) return kHitCloseButton;
        TRect band = caption.FullCaption;
        band.Bottom += 1;  // the face line under the caption belongs to it
        if (band.Contains(point)) return kHitFloatingCaption;
    }
    if (!in.Resizable) return kHitClient;
    const TRect window = Rect(0, 0, in.WindowSize.cx, in.WindowSize.cy);
    if (!window.Contains(point)) return kHitNowhere;
    const bool left = point.X < in.Border.cx, right = point.X >= window.Right - in.Border.cx;
    const bool top = point.Y < in.Border.cy, bottom = point.Y >= window.Bottom - in.Border.cy;
    if (!left && !right && !top && !bottom) return kHitClient;
    if (in.CornerSizing) {
        const i32 zoneX = in.SmallCaptionHeight - 1 + in.Border.cx;
        const i32 zoneY = in.SmallCaptionHeight - 1 + in.Border.cy;
        const bool nearLeft = point.X < zoneX, nearRight = point.X >= window.Right - zoneX;
        const bool nearTop = point.Y < zoneY, nearBottom = point.Y >= window.Bottom - zoneY;
        if ((top || left) && nearTop && nearLeft) return kHitTopLeft;
        if ((top || right) && nearTop && nearRight) return kHitTopRight;
        if ((bottom || left) && nearBottom && nearLeft) return kHitBottomLeft;
        if ((bottom || right) && nearBottom && nearRight) return kHitBottomRight;
    }
    if (left) return kHitLeft;
    if (right) return kHitRight;
    if (top) return kHitTop;
    return kHitBottom;
}

int SizingHandleOfHitCode(int hitCode) {
    if (hitCode < kHitLeft || hitCode > kHitBottomRight) return -1;
    return hitCode - kHitLeft;
}

bool PointerInDockZone(const TRect& dockRect, bool verticalDock, TPoint pointer, TPoint pressPoint, TSize outerSize,
                       const TRect& target) {
    const TRect grown = Rect(dockRect.Left - 3, dockRect.Top - 3, dockRect.Right + 3, dockRect.Bottom + 3);
    const i32 gx = GrabOffset(25, pressPoint.X, outerSize.cx);
    const i32 gy = GrabOffset(25, pressPoint.Y, outerSize.cy);
    if (!(grown.Left + gx - 25 <= pointer.X && pointer.X < grown.Right + gx)) return false;
    if (!(grown.Top + gy - 25 <= pointer.Y && pointer.Y < grown.Bottom + gy)) return false;
    if (verticalDock && !(grown.Top <= pointer.Y && pointer.Y < grown.Bottom)) return false;
    return std::max(target.Left, grown.Left) < std::min(target.Right, grown.Right) &&
           std::max(target.Top, grown.Top) < std::min(target.Bottom, grown.Bottom);
}

TRect PlaceAtGrabPoint(TPoint pointer, TSize size, TPoint pressPoint, TSize outerSize) {
    const i32 left = pointer.X - GrabOffset(size.cx - 1, pressPoint.X, outerSize.cx);
    const i32 top = pointer.Y - GrabOffset(size.cy - 1, pressPoint.Y, outerSize.cy);
    return Bounds(left, top, size.cx, size.cy);
}

TRect KeepFloatingReachable(TRect rect, const TRect& workArea, TSize border, std::int32_t captionOffset) {
    const TRect area = Rect(workArea.Left + border.cx + 4, workArea.Top + border.cy + 4, workArea.Right - border.cx - 4,
                            workArea.Bottom - border.cy - 4);
    auto shift = [&](i32 dx, i32 dy) { rect = Bounds(rect.Left + dx, rect.Top + dy, rect.Width(), rect.Height()); };
    if (rect.Bottom < area.Top) shift(0, area.Top - rect.Bottom);
    if (rect.Top > area.Bottom) shift(0, area.Bottom - rect.Top);
    if (rect.Right < area.Left) shift(area.Left - rect.Right, 0);
    if (rect.Left > area.Right) shift(area.Right - rect.Left, 0);
    const i32 minTop = workArea.Top - captionOffset + 4;
    if (rect.Top < minTop) shift(0, minTop - rect.Top);
    return rect;
}

TRowChoice ChooseDockRow(const std::vector<TDockRowInfo>& rows, std::int32_t centreAcross, bool draggedFullSize) {
    i32 start = 0;
    for (i32 r = 0; r < static_cast<i32>(rows.size()); ++r) {
        const TDockRowInfo& row = rows[r];
        if (row.Thickness <= 0) continue;
        const bool half = draggedFullSize || row.HasFullSize;
        const i32 zone = half ? row.Thickness / 2 : row.Thickness / 4;
        if (centreAcross < start + zone) return TRowChoice{r, true};
        if (!half && centreAcross < start + row.Thickness - zone) return TRowChoice{r, false};
        start += row.Thickness;
    }
    return TRowChoice{static_cast<i32>(rows.size()), true};
}

bool MovedFarEnoughToKeepPlace(TPoint press, TPoint pointer, bool verticalDock) {
    const i32 moved = verticalDock ? pointer.Y - press.Y : pointer.X - press.X;
    return moved > 9 || moved < -9;
}

TSizingEdges SizingEdges(int handle) {
    TSizingEdges e;
    e.Left = handle == 0 || handle == 3 || handle == 6;
    e.Right = handle == 1 || handle == 4 || handle == 7;
    e.Top = handle == 2 || handle == 3 || handle == 4;
    e.Bottom = handle == 5 || handle == 6 || handle == 7;
    return e;
}

TRect SizedRect(const TRect& start, int handle, TPoint delta, TSize minSize, TSize maxSize) {
    const TSizingEdges e = SizingEdges(handle);
    TRect r = start;
    if (e.Left) r.Left += delta.X;
    if (e.Right) r.Right += delta.X;
    if (e.Top) r.Top += delta.Y;
    if (e.Bottom) r.Bottom += delta.Y;
    // A size out of its limits moves the dragged edge back: the left one when it is dragged, else the right.
    auto limit = [](i32& low, i32& high, bool lowDragged, i32 minimum, i32 maximum) {
        const i32 size = high - low;
        i32 wanted = size;
        if (size < minimum) wanted = minimum;
        if (maximum > 0 && size > maximum) wanted = maximum;
        if (wanted == size) return;
        if (lowDragged)
            low = high - wanted;
        else
            high = low + wanted;
    };
    limit(r.Left, r.Right, e.Left, minSize.cx, maxSize.cx);
    limit(r.Top, r.Bottom, e.Top, minSize.cy, maxSize.cy);
    return r;
}

TRect MoveOnScreen(const TRect& rect, const TRect& workArea, bool onlyIfFullyOffscreen) {
    if (onlyIfFullyOffscreen) {
        const bool overlaps = std::max(rect.Left, workArea.Left) < std::min(rect.Right, workArea.Right) &&
                              std::max(rect.Top, workArea.Top) < std::min(rect.Bottom, workArea.Bottom);
        if (overlaps) return rect;
    }
    // In 64 bits: a rectangle read back from a stream may lie anywhere; the result is on the work area.
    std::int64_t x = rect.Left, y = rect.Top;
    const std::int64_t w = std::max<std::int64_t>(0, std::int64_t{rect.Right} - rect.Left);
    const std::int64_t h = std::max<std::int64_t>(0, std::int64_t{rect.Bottom} - rect.Top);
    if (x + w > workArea.Right) x = workArea.Right - w;
    if (y + h > workArea.Bottom) y = workArea.Bottom - h;
    if (x < workArea.Left) x = workArea.Left;
    if (y < workArea.Top) y = workArea.Top;
    return Rect(static_cast<i32>(x), static_cast<i32>(y), CheckedCast<i32>(x + w), CheckedCast<i32>(y + h));
}

}  // namespace tb
