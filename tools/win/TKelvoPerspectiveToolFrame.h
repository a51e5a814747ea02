// The perspective tool's frame: the shared correction controls and the strength of the perspective
// correction (a check box, its value 0..100 and a track bar).
#pragma once
#include "tools/win/TKelvoCorrectionToolFrame.h"

class TKelvoPerspectiveToolFrame : public TKelvoCorrectionToolFrame {
    CLASSLIB_COMPONENT(TKelvoPerspectiveToolFrame, TKelvoCorrectionToolFrame)

    explicit TKelvoPerspectiveToolFrame(TComponent* owner);
    static void RegisterBuilder();

    // The strength value (0..100): the spin edit and its track bar.
    int StrengthValue();
    void SetStrengthValue(int value);

    TUniCheckBox* UniCBPerspKoef = nullptr;
    TSpinEdit* sePerspKoef = nullptr;
    TUniMyTrackBar* KoefTrackBar = nullptr;

protected:
    void ArrangeExtra(int& top, int width) override;

private:
    static void Build(TComponent* root);
};
