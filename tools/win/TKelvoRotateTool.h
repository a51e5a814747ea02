// The rotate and flip tool: quarter turns either way and mirrors of the image, each one undo step that keeps
// only its operation. With the options shown the frame previews the chosen operation on a thumbnail.
#pragma once
#include <cstdint>

#include "tools/win/TKelvoPanelTool.h"

class TKelvoRotateFrame;

class TKelvoRotateTool : public TKelvoPanelTool {
    CLASSLIB_COMPONENT(TKelvoRotateTool, TKelvoPanelTool)

    explicit TKelvoRotateTool(TComponent* owner);

    bool OptionsShown() const { return optionsShown_; }
    void SetOptionsShown(bool shown);

    // Turns or mirrors the active document (RotateOpLeft .. RotateOpFlipVertical) as one undo step; false
    // (reported) when the image could not be changed.
    bool RunOperation(std::uint8_t op);
    bool RotateLeft() { return RunOperation(1); }
    bool RotateRight() { return RunOperation(2); }
    bool FlipHorizontal() { return RunOperation(3); }
    bool FlipVertical() { return RunOperation(4); }
    // The thumbnail of the active document and its preview, made only while the tool is current, the preview
    // is shown and a document is open (the given one, else the active one); dropped otherwise.
    void RebuildThumbnail(TKelvoGraphicsDocument* document = nullptr);

    void Localize() override;
    void UpdateState() override;
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;
    // The undo step of the operation just run.
    bool Commit() override;
    void DocumentOpened(TKelvoGraphicsDocument& document) override;
    void Activate() override;

    TKelvoRotateFrame* Frame = nullptr;

private:
    std::uint8_t lastOperation_ = 0;  // the operation the open edit ran, 0 when none ran
    bool optionsShown_ = false;
};
