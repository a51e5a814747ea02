// Wide text on an 8-bit canvas: drawn and measured through the W entry points with the canvas's own font,
// brush, text flags and orientation.
#pragma once
#include "classlib/core/Geometry.h"
#include "classlib/core/Types.h"
#include "classlib/win/TCanvas.h"

namespace uni {

// Draws text at (x, y) with the canvas's font and brush and text flags, unclipped. On a right-to-left canvas
// x moves right by the text width + 1 first. Afterwards the pen stands at x + the text width. The canvas's
// change events are raised around the drawing.
void CanvasTextOutW(TCanvas* canvas, int x, int y, const WideString& text);
// Width and height of text in the canvas's font; (0, 0) when the system cannot measure it.
TSize CanvasTextExtentW(TCanvas* canvas, const WideString& text);
int CanvasTextWidthW(TCanvas* canvas, const WideString& text);
int CanvasTextHeightW(TCanvas* canvas, const WideString& text);

}  // namespace uni
