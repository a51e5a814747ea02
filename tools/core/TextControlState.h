// The text box's on-image states and what a press, a drag, a release or a key does in each. The window code
// maps the pointer to image points (and the hit part from the view), calls these, re-scales the text when
// asked, and carries out the returned action.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "tools/core/TextBox.h"

constexpr std::uint8_t TextNone = 0;
constexpr std::uint8_t TextDrawing = 1;  // a new box follows the pointer
constexpr std::uint8_t TextPlaced = 2;   // the box with its handles
constexpr std::uint8_t TextAdjusting = 3;

struct TTextControlState {
    std::uint8_t State = TextNone;
    TTextBox Box;
    int Hit = 0;
    TKelvoPoint Anchor;
    TTextBox StartBox;  // the box and its mirroring at the press that began an adjustment
};

enum class TTextAction { None, Commit, Cancel };

// State 0 inside the image: a 1 x 1 box at the point (the tool locks itself). State 2 on a handle or inside:
// that part is grabbed. True when the press was taken.
bool TextMouseDown(TTextControlState& c, TKelvoPoint imagePoint, int part, const TKelvoRect& imageArea);
// Follows the pointer in states 1 and 3. rescale is set when the box's size may have changed (the stretched
// text is then rebuilt); a move keeps it.
bool TextMouseMove(TTextControlState& c, TKelvoPoint imagePoint, const TKelvoRect& imageArea, bool& rescale);
// A drag ends in state 2, or cancels when it was only a click; in state 2 a left release outside the box
// commits and a right release anywhere cancels.
TTextAction TextMouseUp(TTextControlState& c, bool rightButton, int part);
// In state 2: Enter commits, Esc cancels.
TTextAction TextKey(const TTextControlState& c, int key);
inline void ResetTextControl(TTextControlState& c) { c = TTextControlState{}; }
