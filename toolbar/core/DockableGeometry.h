// The geometry of a dockable window: its docked frame and drag handle, the hit codes of its non-client parts,
// the floating frame's caption, and the choices of the drag and resize loops (which dock the pointer is
// over, where the window lands, which row it joins, how a sized frame follows the pointer, how a frame is
// kept on the screen). Pure functions; toolbar/win/TTBCustomDockableWindow feeds them the system's metrics.
//
// Grab fractions and the grab point use MulDiv rounding (half away from zero), as the system's MulDiv.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Geometry.h"
#include "toolbar/core/DockLayout.h"

enum TTBDragHandleStyle : std::uint8_t { dhDouble, dhNone, dhSingle };
enum TTBDockMode : std::uint8_t { dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks };
enum TTBFloatingMode : std::uint8_t { fmOnTopOfParentForm, fmOnTopOfAllForms };

namespace tb {

// Non-client hit codes of the system's own making.
constexpr int kHitDragHandle = 2000;
constexpr int kHitCloseButton = 2001;
constexpr int kHitFloatingCaption = 2002;
// The system's codes used here.
constexpr int kHitNowhere = 0, kHitClient = 1;
constexpr int kHitLeft = 10, kHitRight = 11, kHitTop = 12, kHitTopLeft = 13, kHitTopRight = 14, kHitBottom = 15,
              kHitBottomLeft = 16, kHitBottomRight = 17;

// Drag handle across the handle: its size and the first bar's offset, by style and docked close button.
struct TDragHandleMetrics {
    std::int32_t Size = 0;
    std::int32_t FirstBarOffset = 0;
};
TDragHandleMetrics DragHandleMetrics(TTBDragHandleStyle style, bool closeButtonWhenDocked);

// The docked frame: the 2-pixel frame on every side, plus the drag handle on the left (top or bottom dock) or
// on top (left or right dock) when the dock allows dragging. TopLeft and BottomRight are the extents.
struct TNCExtents {
    TSize TopLeft;
    TSize BottomRight;
    TSize Total() const { return TSize{TopLeft.cx + BottomRight.cx, TopLeft.cy + BottomRight.cy}; }
};
TNCExtents DockedNCExtents(TTBDockPosition position, bool allowDrag, TTBDragHandleStyle style,
                           bool closeButtonWhenDocked);

// The docked close button in window coordinates; clientWidth is the window's client width.
TRect DockedCloseButtonRect(TTBDockPosition position, TTBDragHandleStyle style, std::int32_t clientWidth);

// The hit code of a window point (window coordinates) of a docked window: HTCLIENT inside the client, the
// close button, else the drag handle.
struct TDockedHitInput {
    TTBDockPosition Position = dpTop;
    bool AllowDrag = true;
    TTBDragHandleStyle Style = dhSingle;
    bool CloseButtonWhenDocked = false;
    TSize WindowSize;
};
int DockedHitTest(const TDockedHitInput& in, TPoint point);

// The floating frame's non-client extents: the border on every side and the small caption on top.
TNCExtents FloatingNCExtents(TSize border, bool showCaption, std::int32_t smallCaptionHeight);

// Caption band and close button of the floating frame, in window coordinates.
struct TFloatingCaptionRects {
    TRect Caption;      // cut for the close button when there is one
    TRect FullCaption;  // the whole band (its last row is the face-coloured line)
    TRect CloseButton;  // empty without a close button
};
TFloatingCaptionRects FloatingCaptionRects(TSize border, std::int32_t clientWidth, std::int32_t smallCaptionHeight,
                                           bool closeButton);

struct TFloatingHitInput {
    TSize WindowSize;
    TSize Border;
    std::int32_t SmallCaptionHeight = 0;
    bool ShowCaption = true;
    bool CloseButton = true;
    bool Resizable = true;
    bool CornerSizing = true;
};
// 2002 for the caption, 2001 for its close button, the sizing codes for the borders of a resizable frame
// (corner codes within SmallCaptionHeight - 1 + border of a corner with CornerSizing), else HTCLIENT.
int FloatingHitTest(const TFloatingHitInput& in, TPoint point);

// The sizing handle (0 left .. 7 bottom-right) of a sizing hit code 10..17, -1 for any other code.
int SizingHandleOfHitCode(int hitCode);

// The drag loop's zone test: whether the pointer (screen) over a dock's screen rectangle makes it the target.
// pressPoint is the press relative to the window's outer rectangle of outerSize; target is the rectangle the
// window would take there.
bool PointerInDockZone(const TRect& dockRect, bool verticalDock, TPoint pointer, TPoint pressPoint, TSize outerSize,
                       const TRect& target);

// The rectangle of size placed so that the grab point keeps its relative place under the pointer.
TRect PlaceAtGrabPoint(TPoint pointer, TSize size, TPoint pressPoint, TSize outerSize);

// A floating rectangle kept reachable inside the work area shrunk by the floating border plus 4 pixels; its
// top may not go above the area's top minus captionOffset plus 4.
TRect KeepFloatingReachable(TRect rect, const TRect& workArea, TSize border, std::int32_t captionOffset);

// The row a rectangle dropped on a dock joins: rows of thickness 0 are skipped; the first quarter of a row
// (half for a FullSize window or row) opens a new row before it, the middle part of a quarter-zone row is
// that row. NewRow says that Row is to be inserted as a new row.
struct TRowChoice {
    std::int32_t Row = 0;
    bool NewRow = false;
};
struct TDockRowInfo {
    std::int32_t Thickness = 0;
    bool HasFullSize = false;
};
TRowChoice ChooseDockRow(const std::vector<TDockRowInfo>& rows, std::int32_t centreAcross, bool draggedFullSize);

// A press far enough along the dock (more than 9 pixels) lets a window in a crowded row keep its place.
bool MovedFarEnoughToKeepPlace(TPoint press, TPoint pointer, bool verticalDock);

// Which edges a sizing handle moves.
struct TSizingEdges {
    bool Left = false, Right = false, Top = false, Bottom = false;
};
TSizingEdges SizingEdges(int handle);
// The frame rectangle after the pointer moved by delta from the start: the moving edges follow; a width below
// min (or above a set max, 0 = none) moves the dragged edge back, likewise the height.
TRect SizedRect(const TRect& start, int handle, TPoint delta, TSize minSize, TSize maxSize);

// A frame rectangle moved onto the work area: left, up, right, down in that order. With onlyIfFullyOffscreen a
// rectangle that overlaps the area stays.
TRect MoveOnScreen(const TRect& rect, const TRect& workArea, bool onlyIfFullyOffscreen);

}  // namespace tb
