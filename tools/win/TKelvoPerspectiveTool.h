// The perspective tool: reference lines drawn over the photo level it or straighten its converging
// lines (tools/core/ReferenceLine.h), with the strength of the correction chosen in its frame and the
// reference rectangle giving a known rectangle its real proportions.
#pragma once
#include "tools/core/ReferenceLine.h"
#include "tools/core/TKelvoPerspectiveMapping.h"
#include "tools/win/TKelvoCorrectionTool.h"
#include "tools/win/TKelvoPerspectiveToolFrame.h"

class TKelvoPerspectiveTool : public TKelvoCorrectionTool {
    CLASSLIB_COMPONENT(TKelvoPerspectiveTool, TKelvoCorrectionTool)

    explicit TKelvoPerspectiveTool(TComponent* owner);

    TKelvoCorrectionMapping& Mapping() override { return mapping_; }
    const TKelvoPerspectiveMapping& PerspectiveMapping() const { return mapping_; }
    const TConvergenceLimits& Limits() const { return limits_; }
    TKelvoPerspectiveToolFrame* PerspectiveFrame() const { return static_cast<TKelvoPerspectiveToolFrame*>(Frame()); }

    // A line drawn on the image (image coordinates of an image h high and w wide): a record, a preview and
    // a step; a line that makes no record changes nothing.
    TReferenceLineResult AddReferenceLine(TRealPoint p1, TRealPoint p2, std::int32_t h, std::int32_t w);
    // The strength from the frame: its value / 100 while its check box is checked, else 1.
    void ReadStrength();

    // Node 1, {213EAD53-2019-4FB8-5784-D5C3521C8D6B}: 1 crop type, 2 distortion mode, 3 manual value,
    // 4 strength check box, 5 strength, 7 this tool was the current one, 8 reference rectangle check box,
    // 9 and 10 its width and height (0: empty).
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;

protected:
    std::unique_ptr<TKelvoCorrectionCommandState> NewState(TKelvoGraphicsDocument& document, Byte kind) override;
    void UndoGeometry(TKelvoCorrectionCommandState& state) override;
    void RedoGeometry(TKelvoCorrectionCommandState& state) override;
    void RestoreFinishGeometry(TKelvoCorrectionCommandState& state, bool undo) override;
    void ResetGeometry() override;
    double CurrentStrength() const override { return mapping_.Strength; }
    void ApplyStrength(double strength) override;
    void UpdateFrameState(const TCorrectionFrameState& state) override;
    void LocalizeFrame() override;
    void ReferenceSizeChanged() override;

private:
    // The reference rectangle's pre-scale from the limits and the frame; true when it changed.
    bool EvaluateReferenceRectangle();
    void StrengthChanged(TObject* sender);
    void StrengthTrackChange(TObject* sender);
    void RenderIfAllowed();

    TKelvoPerspectiveMapping mapping_;
    TConvergenceLimits limits_;
    TConvergenceLimits savedLimits_;
};
