// Frames: reusable groups of controls built by their class's registered builders and placed on a form or
// another control like any windowed control. They scroll (AutoScroll) like a form's client area.
#pragma once
#include "classlib/win/TScrollingWinControl.h"

class TCustomFrame : public TScrollingWinControl {
    CLASSLIB_COMPONENT(TCustomFrame, TScrollingWinControl)

    // Builds the frame with the builders registered for its class and the classes between it and TFrame
    // (base first), once the object is complete (at the start of AfterConstruction). A class derived from
    // TFrame without any builder raises EResNotFound "Resource %s not found".
    explicit TCustomFrame(TComponent* owner);
    ~TCustomFrame() override;

    void AfterConstruction() override;

    // Kept for derived classes, which decide when to fire them: this class never does.
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;

private:
    bool buildPending_ = true;
};

class TFrame : public TCustomFrame {
    CLASSLIB_COMPONENT(TFrame, TCustomFrame)
    explicit TFrame(TComponent* owner) : TCustomFrame(owner) {}
};
