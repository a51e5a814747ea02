// The stateless drawing operations of the themes, themed items, controls and lists: colours that may be
// system colours or clNone, pens and brushes for them, shapes, wide (also rotated) text, and images of image
// lists with effects. All draw on a device context and keep nothing between calls.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "classlib/core/Geometry.h"
#include "classlib/core/TColor.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/Win32.h"
#include "themed/core/ImageEffects.h"

class TCustomImageList;
class TControl;

namespace skin {

// Colour arithmetic on TColor values (system colours resolved first); see themed/core/SkinColorMath.h.
TColor BlendColor(TColor a, TColor b, unsigned weight);
// The blend mapped to the nearest colour the display shows.
TColor BlendToNearestColor(TColor a, TColor b, unsigned weight);
TColor ShiftColorBy(TColor color, int delta);
bool IsColorDarker(TColor color, int threshold);
std::uint32_t ColorToPixel(TColor color);

// clNone: the null pen / a hollow brush; a system colour: the system's brush; else a new solid one. The
// handle may always be deleted (stock objects and system brushes ignore it).
TGdiHandle<HPEN> PenFor(TColor color);
TGdiHandle<HBRUSH> BrushFor(TColor color);

// Answers whether it filled (not for clNone).
bool FillRectColor(HDC dc, const TRect& rect, TColor color);
// With shrink the rectangle then moves in by one on every side.
void FrameRectColor(HDC dc, TRect& rect, TColor color, bool shrink);
void DrawLineColor(HDC dc, int x1, int y1, int x2, int y2, TColor color);
void PolylineColor(HDC dc, const std::vector<TPoint>& points, TColor color);
// Outlined in one colour, filled in another; nothing when both are clNone.
void PolygonColor(HDC dc, const std::vector<TPoint>& points, TColor outline, TColor fill);
void RoundRectColor(HDC dc, const TRect& rect, TColor outline, TColor fill, int cornerWidth, int cornerHeight);
// Right and bottom move in by one; left and top in topLeft, right and bottom in bottomRight; then with adjust
// left and top move in by one, without it right and bottom by one more.
void Frame3D(HDC dc, TRect& rect, TColor topLeft, TColor bottomRight, bool adjust);
// The dragged frame of a toolbar: 3 across and 2 down for both rectangles (either may be null).
void DrawDragOutline(HDC dc, const TRect* newRect, const TRect* oldRect);
// The focus rectangle drawn with black text on white, the colours restored.
void DrawFocusRectBW(HDC dc, const TRect& rect);
// Fills with the 8 x 8 checker of color1 and color2.
void DitherRect(HDC dc, const TRect& rect, TColor color1, TColor color2);
int WideTextWidth(HDC dc, std::u16string_view text);
// A one-bit glyph (rows padded to 16 bits, the high bit leftmost) centred in rect in color.
void DrawGlyph(HDC dc, const TRect& rect, TColor color, const std::uint8_t* bits, int width, int height);
// The MDI client's size for an MDI main form (not being designed), else the control's client size.
TSize GetControlClientSize(TControl* control);

// Wide text in rect: color clDefault keeps the context's text colour; the flags are DT_ flags with a rotation
// code in bits 24-27 (themed/core/ImageEffects.h); an unknown code draws nothing.
void DrawSkinText(HDC dc, std::u16string_view text, const TRect& rect, TColor color, std::uint32_t flags);

// Draws image index of a system image list at rect's corner (rect's size when both sides are above 0, else
// the list's), passing every pixel through the effects; false for a missing list or DC, an index out of
// range or nothing visible.
bool DrawImageWithEffects(HIMAGELIST list, int index, HDC dc, const TImageEffects& effects, const TRect& rect);
// Image-list drawing of the themes: a TSkinImageList through its alpha images and colour effects, any other
// list through DrawImageWithEffects. Nothing for a list whose handle does not exist yet.
void DrawImage(HDC dc, const TRect& rect, TCustomImageList* images, int index, bool monochrome = false);
void DrawImageTinted(HDC dc, const TRect& rect, TCustomImageList* images, int index, TColor color, std::uint8_t amount);
// style 0 greyed and faded, 1 a faint black silhouette, 2 a black silhouette.
void DrawImageDisabled(HDC dc, const TRect& rect, TCustomImageList* images, int index, int style);

}  // namespace skin
