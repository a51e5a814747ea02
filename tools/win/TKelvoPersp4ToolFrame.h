// The four-point tool's options: the shared correction controls (without a strength) and the button that applies
// the reference rectangle to the picked corners.
#pragma once
#include "tools/win/TKelvoCorrectionToolFrame.h"

class TKelvoPersp4ToolFrame : public TKelvoCorrectionToolFrame {
    CLASSLIB_COMPONENT(TKelvoPersp4ToolFrame, TKelvoCorrectionToolFrame)

    explicit TKelvoPersp4ToolFrame(TComponent* owner);
    static void RegisterBuilder();

    // The button goes at the foot of the reference-rectangle group, which grows to hold it.
    void ArrangeRefButton();

    TUniButton* TBRefSize = nullptr;

protected:
    TUniMyTrackBar* MakeDistortionTrackBar() override;

private:
    static void Build(TComponent* root);
};
