// Decisions of the correction tools (perspective and four-point) apart from their windows: which undo step
// a finished render leaves, what the frame enables, and how the view scrolls while a line is drawn.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"

// The kind of undo step the next commit of a correction tool makes.
constexpr Byte PendingNone = 0;
constexpr Byte PendingGeometry = 1;  // a reference line or a set of corners was added
constexpr Byte PendingFinish = 2;    // the correction becomes part of the image
constexpr Byte PendingLens = 3;      // the distortion setting changed
constexpr Byte PendingSuppress = 4;  // an undo or redo rewrites the pixels: no step

enum class TCorrectionCommit {
    Nothing,    // no step
    NewState,   // a new step of the pending kind
    MergeLens,  // the newest step is this tool's distortion step: it takes the new values
};

// hasGeometry: the tool has records (corners); lensOn: a lens correction is in force; previousIsLens: the
// step next to undo is this tool's distortion step. A distortion change while a geometry is pending is left
// to the promotion, which keeps the distortion with the geometry.
TCorrectionCommit DecideCorrectionCommit(Byte pendingKind, bool hasGeometry, bool lensOn, bool previousIsLens);

// The pending kind after the lens coefficient was read again: a distortion step when it is not 0.
inline Byte PendingKindAfterLensChange(double k) { return k != 0 ? PendingLens : PendingNone; }

// The scroll of the view while a line is drawn and the pointer is at (x, y) of a client area of width by
// height: 5 pixels towards the image beyond an edge the pointer is within 1 pixel of (left) or 2 pixels of
// (right, top, bottom), only where the image continues beyond that edge.
struct TAutoScroll {
    std::int32_t Dx = 0;
    std::int32_t Dy = 0;
};
struct TImageBeyond {
    bool Left = false;
    bool Right = false;
    bool Top = false;
    bool Bottom = false;
};
TAutoScroll AutoScrollDelta(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                            TImageBeyond beyond);

// What a correction tool's frame enables.
struct TCorrectionFrameInput {
    bool Busy = false;
    bool Clean = true;
    int DistortionMode = 0;     // 0 none, 1 manual, 2 automatic
    bool HasAutomatic = false;  // an automatic distortion value exists
    bool StrengthChecked = false;
    bool FinishPossible = true;  // the tool has something Finish can render
};
struct TCorrectionFrameState {
    bool Finish = false;
    bool Controls = false;  // crop group, distortion group, its none and manual buttons, strength check box
    bool Automatic = false;
    bool ManualValue = false;
    bool StrengthValue = false;
};
TCorrectionFrameState CorrectionFrameState(const TCorrectionFrameInput& in);

// The guide of the line-drawing control while no line is drawn: 0 nothing; 1 a cross-hair through the
// pointer; 3 an anchor fixed by Ctrl, with a second point that follows the pointer along the anchor's row or
// column. (The anchor is taken at once, so the passing state 2 is never seen; with the second point held to
// the anchor's row or column, a state for two points differing in both coordinates never comes either.)
constexpr int GuideNone = 0;
constexpr int GuideCross = 1;
constexpr int GuideAnchored = 3;
enum class TGuideEvent {
    PointerInside,   // the pointer moved over the image
    PointerOutside,  // the pointer moved off the image
    CtrlDown,
    CtrlUp,
    OtherKeyUp,
    LineStarted,
};
int NextGuideState(int state, TGuideEvent event);

// The second guide point: the pointer held to the anchor's row when it is farther from the anchor across
// than down, else to its column.
struct TGuidePoint {
    double X = 0;
    double Y = 0;
};
TGuidePoint GuideSecondPoint(TGuidePoint anchor, TGuidePoint pointer);
