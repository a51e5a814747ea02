// An undo step of a correction tool. Kind 1: a geometry was added (a reference line, a set of corners);
// kind 2: the correction became part of the image, and the step keeps the pixels the tool corrected from;
// kind 3: the distortion setting changed. A derived state adds its tool's geometry. Undo and redo are the
// tool's: it re-renders from its own source pixels instead of pasting snapshots, so a step costs no image
// memory except for kind 2.
#pragma once
#include <cstdint>

#include "app/core/TKelvoGraphicsCommandState.h"
#include "app/core/TKelvoPackedPixels.h"

class TKelvoCorrectionTool;

// The lens and strength settings of a correction tool, as a step keeps them.
struct TCorrectionLensSettings {
    double K = 0.0;
    bool Applied = false;
    double Strength = 1.0;
    int Mode = 0;
    int ManualValue = 0;
};

class TKelvoCorrectionCommandState : public TKelvoCustomGraphicsCommandState {
public:
    // Tells the tools and marks the document unsaved, as every step does.
    TKelvoCorrectionCommandState(TKelvoCorrectionTool& tool, TKelvoGraphicsDocument& document, Byte kind);

    Byte Kind() const { return kind_; }
    TKelvoCorrectionTool& CorrectionTool() const { return tool_; }

    bool Undo() override;
    bool Redo() override;

    // The settings after the change and before it.
    TCorrectionLensSettings Lens;
    TCorrectionLensSettings LensBefore;
    // Kind 2: the source pixels the correction was rendered from, and the tool's image area then.
    TKelvoPackedPixels Pixels;
    TKelvoRect ImageRect;
    // Kind 2: the image area of the result.
    TKelvoRect ResultRect;
    // The size of the image the geometry was made on.
    std::int32_t RefWidth = 0;
    std::int32_t RefHeight = 0;

private:
    TKelvoCorrectionTool& tool_;
    Byte kind_;
};
