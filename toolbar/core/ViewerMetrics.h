// How big an item viewer is in the classic look, from what the view measured with its font: toolbar
// buttons grow from 6 x 6 by their caption and image (beside or above the caption) and by their arrows;
// menu rows are the text height plus 4, with an image column on the left, the shortcut text and room for
// the submenu arrow on the right.
#pragma once
#include "classlib/core/Geometry.h"
#include "classlib/core/Types.h"

namespace tb {

// The arrow part of a split (combo) toolbar button, and the drop-down arrow inside an unsplit one.
constexpr int kComboArrowWidth = 11;
constexpr int kDropdownArrowSize = 8;

struct TViewerSizeInput {
    bool toolbarStyle = false;
    bool rotated = false;  // the caption runs top to bottom (vertical view)
    bool captionShown = false;
    int captionWidth = 0;     // the caption's width without accelerator marks
    int textHeight = 0;       // tmHeight of the view's font
    int externalLeading = 0;  // tmExternalLeading
    bool imageShown = false;
    bool hasImageList = false;
    TPoint imageSize;
    bool imageAboveCaption = false;
    bool submenu = false;
    bool combo = false;
    bool dropdownArrow = false;  // tboDropdownArrow
    bool verticalView = false;
    int shortCutWidth = -1;  // -1: no shortcut text
};

TPoint ViewerSize(const TViewerSizeInput& in);

// The width of a menu row's image column for a row of the given height.
int MenuImageColumnWidth(int rowHeight, bool hasImageList, TPoint imageSize);

// A separator: 6 x 6 in toolbar style, otherwise two thirds of the text height (rounded up) high.
TPoint SeparatorSize(bool toolbarStyle, int textHeight);

// a * b / c rounded to the nearest integer (halves away from zero), as the system's MulDiv; -1 when c is 0.
int MulDivRound(int a, int b, int c);

// The caption a viewer shows: the item's caption cut before its first tab (the rest is the shortcut text).
WideString ViewerCaptionText(std::u16string_view caption);

// The tooltip and status text before an action's hint handler and the shortcut: the short part of hint,
// or, when that is empty and auto hints are allowed, the caption without its trailing ":" or "..." and
// without accelerator marks. A submenu item (not a combo) whose caption is shown gets no auto hint.
WideString ViewerHintText(std::u16string_view hint, std::u16string_view caption, bool noAutoHint,
                          bool submenuWithCaptionShown);

// " (shortcut)" appended to a non-empty hint when the application shows shortcuts in hints.
WideString AppendShortCutToHint(const WideString& hint, bool hintShortCuts, std::u16string_view shortCutText);

}  // namespace tb
