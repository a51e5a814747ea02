// The caption, close-button and drag-handle geometry of floating windows and toolbars that the themes paint.
#pragma once
#include "classlib/core/Geometry.h"

namespace skin {

// The caption bar of a floating window width wide: (0, 0, width, smallCaptionHeight - 1), less the close
// button's square at the right when there is one, moved in by the border when asked.
TRect FloatingCaptionRect(int width, int smallCaptionHeight, bool closeButton, TSize border, bool offsetByBorder);
// The close button: the caption rectangle's right square.
TRect FloatingCloseButtonRect(int width, int smallCaptionHeight, TSize border, bool offsetByBorder);
// Drag-handle length of a toolbar: 0 without one; by style 0, 1, 2: 9, 0, 6; 14 with a close button.
int DragHandleSize(bool hasHandle, int style, bool closeButton);
// The close square in a toolbar's drag handle: side size - 1 at the handle's origin, or at the far end of
// the toolbar's length (length along the handle) when it is laid out that way.
TRect DragHandleCloseRect(int handleSize, bool vertical, bool atFarEnd, int length);

}  // namespace skin
