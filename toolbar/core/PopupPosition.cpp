#include "toolbar/core/PopupPosition.h"

#include <algorithm>

namespace tb {

namespace {

TPoint FirstPosition(const TPopupPlacementInput& in) {
    const TRect& p = in.parent;
    const int w = in.size.X;
    switch (in.kind) {
        case TTBPopupKind::AtPoint:
            if (in.alignment == TTBPopupAlignment::Right) return {in.point.X - w, in.point.Y};
            if (in.alignment == TTBPopupAlignment::Center) return {in.point.X - w / 2, in.point.Y};
            return in.point;
        case TTBPopupKind::Submenu: return {p.Right - kPopupBorder, p.Top - kPopupBorder};
        case TTBPopupKind::ChevronHorizontal: return {p.Right - w, p.Bottom};
        case TTBPopupKind::ChevronVertical:
        case TTBPopupKind::DropdownVertical: return {p.Left - w, p.Top};
        case TTBPopupKind::DropdownHorizontal: return {in.dropRightAligned ? p.Right - w : p.Left, p.Bottom};
    }
    return in.point;
}

bool FitsHorizontally(int x, int w, const TRect& area) { return x >= area.Left && x + w <= area.Right; }

}  // namespace

TPopupPlacement GetPopupPosition(const TPopupPlacementInput& in) {
    TPopupPlacement out;
    const TRect& a = in.area;
    const TRect& p = in.parent;
    const int w = in.size.X;
    const int h = in.size.Y;
    TPoint pos = FirstPosition(in);
    bool above = false;

    if (in.kind != TTBPopupKind::DropdownVertical) {
        if (pos.Y + h > a.Bottom) {
            int y = 0;
            switch (in.kind) {
                case TTBPopupKind::Submenu: y = p.Bottom + kPopupBorder - h; break;
                case TTBPopupKind::ChevronVertical: y = p.Bottom - h; break;
                case TTBPopupKind::AtPoint: y = (in.keepClear.IsEmpty() ? in.point.Y : in.keepClear.Top) - h; break;
                default: y = p.Top - h; break;
            }
            if (y >= a.Top) {
                pos.Y = y;
                above = true;
            }
        }
    }
    if (pos.Y + h > a.Bottom) pos.Y = a.Bottom - h;
    if (pos.Y < a.Top) pos.Y = a.Top;

    bool left = false;
    switch (in.kind) {
        case TTBPopupKind::Submenu: {
            const int right = p.Right - kPopupBorder;
            const int leftX = p.Left + kPopupBorder - w;
            left = in.parentOpenedLeft || right + w > a.Right;
            if (left && leftX < a.Left && FitsHorizontally(right, w, a)) left = false;
            pos.X = left ? leftX : right;
            out.openedLeft = left;
            break;
        }
        case TTBPopupKind::ChevronVertical:
        case TTBPopupKind::DropdownVertical:
            // Left of the toolbar first; when that passes the area's edge, right of it when it fits there.
            left = true;
            if (pos.X < a.Left && FitsHorizontally(p.Right, w, a)) {
                pos.X = p.Right;
                left = false;
            }
            if (pos.X + w > a.Right) pos.X = a.Right - w;
            break;
        default:
            if (in.kind == TTBPopupKind::AtPoint && in.alignment == TTBPopupAlignment::Right && pos.X < a.Left) {
                pos.X = in.point.X;
            }
            if (pos.X + w > a.Right) {
                if (in.kind == TTBPopupKind::AtPoint && in.alignment == TTBPopupAlignment::Left) {
                    pos.X = in.point.X - w;
                } else {
                    pos.X = a.Right - w;
                }
            }
            break;
    }
    pos.X = std::max(pos.X, a.Left);

    if (in.kind == TTBPopupKind::Submenu || in.kind == TTBPopupKind::ChevronVertical ||
        in.kind == TTBPopupKind::DropdownVertical) {
        out.slide = left ? kSlideFromRight : kSlideFromLeft;
    } else {
        out.slide = above ? kSlideFromBottom : kSlideFromTop;
    }
    out.position = pos;
    return out;
}

}  // namespace tb
