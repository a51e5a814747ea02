// The four-point tool: the user marks the corners of something that is a rectangle in reality, and the tool maps
// that quadrilateral onto an axis-parallel rectangle, with the lens correction, crop types, previews, Finish and
// undo it shares with the perspective tool.
//
// Picks only collect points, where the user sees them; a set-up (the reference-rectangle button, or Finish) turns
// them into corners of the photo. Valid corners stay through a few stray picks, and each set-up is one undo step
// that keeps the geometry before it.
#pragma once
#include <vector>

#include "tools/core/Persp4Setup.h"
#include "tools/core/TKelvoPersp4Mapping.h"
#include "tools/win/TKelvoCorrectionTool.h"

class TKelvoPersp4ToolFrame;

class TKelvoPersp4Tool : public TKelvoCorrectionTool {
    CLASSLIB_COMPONENT(TKelvoPersp4Tool, TKelvoCorrectionTool)

    explicit TKelvoPersp4Tool(TComponent* owner);

    TKelvoCorrectionMapping& Mapping() override { return mapping_; }
    const TPersp4Geometry& Geometry() const { return mapping_.Geometry; }
    const std::vector<TRealPoint>& Points() const { return setup_.Points; }
    TKelvoPersp4ToolFrame* Persp4Frame() const { return frame_; }

    // One gesture of the control from start to end (image coordinates); the views repaint their points.
    void Pick(const TRealPoint& start, const TRealPoint& end);
    // Corners from the picks (or the kept ones), the reference rectangle, then a render of the quality when there
    // is something to show. The change is the next undo step.
    void SetupFourPoint(Byte quality);
    // What the reference rectangle's controls say now.
    TPersp4Reference Reference() const;

    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
    void UpdateState() override;

protected:
    std::unique_ptr<TKelvoCorrectionCommandState> NewState(TKelvoGraphicsDocument& document, Byte kind) override;
    void UndoGeometry(TKelvoCorrectionCommandState& state) override;
    void RedoGeometry(TKelvoCorrectionCommandState& state) override;
    void RestoreFinishGeometry(TKelvoCorrectionCommandState& state, bool undo) override;
    void ResetGeometry() override;
    void RenderFinal() override;
    bool FinishPossible() const override;
    void UpdateFrameState(const TCorrectionFrameState& state) override;
    void LocalizeFrame() override;

private:
    // A point of the image as shown, in the photo's coordinates the corners are taken in.
    TRealPoint ToGeometrySpace(const TRealPoint& shown) const;
    void SetGeometry(const TPersp4Geometry& geometry);
    void RepaintControls();
    void RefSizeClick(TObject* sender);
    void SizeKeyPress(TObject* sender, char& key);

    TKelvoPersp4Mapping mapping_;
    TPersp4Setup setup_;
    // The geometry before the pending set-up, for its undo step.
    TPersp4Geometry before_;
    TKelvoPersp4ToolFrame* frame_ = nullptr;
};
