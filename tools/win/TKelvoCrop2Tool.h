// The crop tool: a selection drawn over the image, free or held to a print or screen ratio, adjusted with its
// handles or moved, and applied as one undo step that keeps the whole image from before (or cancelled).
#pragma once
#include "tools/win/TKelvoPanelTool.h"
#include "tools/core/CropSelection.h"

class TKelvoCrop2Frame;
class TKelvoCrop2ToolControl;

class TKelvoCrop2Tool : public TKelvoPanelTool {
    CLASSLIB_COMPONENT(TKelvoCrop2Tool, TKelvoPanelTool)

    explicit TKelvoCrop2Tool(TComponent* owner);

    TCropRatio Ratio() const { return ratio_; }
    void SetRatio(TCropRatio ratio) { ratio_ = ratio; }
    bool OptionsShown() const { return optionsShown_; }
    // Shows or hides the options; either way the ratio becomes the free one of the two numbers.
    void SetOptionsShown(bool shown);

    // The control on the active view, or null.
    TKelvoCrop2ToolControl* ActiveControl() const;
    // Crops the active document to the selection as one undo step; false without a selection or when the crop
    // cannot be done (reported).
    bool Perform();
    // The selection goes.
    void Cancel();

    // An undo step made, undone or redone on a document: its selection follows the image.
    void StateApplied(TKelvoGraphicsDocument& document, IKelvoGraphicsTool* tool, const TKelvoRect& rect) override;
    void Localize() override;
    void UpdateState() override;
    // Node 1, {FA533C1A-B74B-486B-BB5E-7AEA47608D79}: item 1 is 1 while the options are shown.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;

    TKelvoCrop2Frame* Frame = nullptr;

private:
    TCropRatio ratio_;
    bool optionsShown_ = false;
};
