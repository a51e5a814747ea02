// The crop selection's on-image states and what a press, a drag, a release, a double click or a key does in
// each. The window code turns pointer positions into image points (and the hit part from the view), calls
// these, and carries out the returned action.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "tools/core/CropSelection.h"

constexpr std::uint8_t CropIdle = 0;
constexpr std::uint8_t CropDragging = 1;   // a new selection follows the pointer
constexpr std::uint8_t CropShown = 2;      // the selection with its handles
constexpr std::uint8_t CropAdjusting = 3;  // a handle or the whole selection follows the pointer

struct TCropControlState {
    std::uint8_t State = CropIdle;
    TKelvoRect Selection;
    TKelvoPoint Anchor;
    TKelvoRect StartSelection;  // the selection at the press that began an adjustment
    int Part = 0;               // the part grabbed
};

enum class TCropAction { None, Apply, Cancel };

// State 0 inside the image: a 1 x 1 selection at the point, dragging. State 2 on a part (hit in the view): that
// part is grabbed. True when the press was taken.
bool CropMouseDown(TCropControlState& c, TKelvoPoint imagePoint, int part, const TKelvoRect& imageArea);
// Follows the pointer in states 1 and 3; true when the selection changed (its view area wants repainting).
bool CropMouseMove(TCropControlState& c, TKelvoPoint imagePoint, const TKelvoRect& imageArea, TCropRatio ratio);
// In state 2 a release outside the selection applies (left button) or cancels (right); a drag ends in state 2.
TCropAction CropMouseUp(TCropControlState& c, bool rightButton, int part);
// After the beep: in state 2 outside the selection the crop is applied.
TCropAction CropDoubleClick(const TCropControlState& c, int part);
// Enter applies and Esc cancels while there is a selection.
TCropAction CropKey(const TCropControlState& c, int key);
// Apply and cancel both end here.
inline void ResetCropControl(TCropControlState& c) { c = TCropControlState{}; }
