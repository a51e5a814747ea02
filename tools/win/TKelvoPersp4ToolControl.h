// The four-point tool's part on a view: the user clicks the corners of something that is a rectangle in reality
// (or drags along an edge to set two at once); the picked points are drawn as rings. The rubber line, scrolling,
// snapping and keys are the correction tools' own.
#pragma once
#include "tools/win/TKelvoCorrectionToolControl.h"

class TKelvoPersp4ToolControl : public TKelvoCorrectionToolControl {
    CLASSLIB_CLASS(TKelvoPersp4ToolControl, TKelvoCorrectionToolControl)

public:
    using TKelvoCorrectionToolControl::TKelvoCorrectionToolControl;

    // The image and the rings around points on its border.
    void GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) override;

protected:
    // A click or a drag picks (or removes) points.
    void LineFinished(const TRealPoint& start, const TRealPoint& end) override;
    void PaintMarks(TKelvoViewCanvas& canvas) override;
};
