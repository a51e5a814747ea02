// The resize tool: a new pixel size for the image, typed or stepped, optionally held to the image's
// proportions; OK resamples the working and the original bitmap (Lanczos) as one undo step that keeps both
// from before. A size too large for one pixel buffer is refused with a message, and the image stays as it is.
#pragma once
#include <cstdint>

#include "tools/win/TKelvoPanelTool.h"
#include "tools/core/ResizeSize.h"

class TKelvoResizeFrame;

class TKelvoResizeTool : public TKelvoPanelTool {
    CLASSLIB_COMPONENT(TKelvoResizeTool, TKelvoPanelTool)

    // Its button and frame on the tool panel; without a panel its button on the editor's standard toolbar.
    explicit TKelvoResizeTool(TComponent* owner);

    std::int32_t NewWidth() const { return size_.Width; }
    std::int32_t NewHeight() const { return size_.Height; }
    bool Constrain() const { return constrain_; }
    bool OptionsShown() const { return optionsShown_; }

    // A side of 1 .. 32767 (beyond either end held there); with the proportions kept the other side follows.
    void SetNewWidth(std::int32_t width);
    void SetNewHeight(std::int32_t height);
    // Switched on, the image's proportions are fitted into the size.
    void SetConstrain(bool on);
    // The size of the active document's image.
    void ResetSize();
    // Resizes the active document to the new size as one undo step; false (reported) when it cannot be done.
    bool Apply();
    void SetOptionsShown(bool shown);

    void Localize() override;
    void UpdateState() override;
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;
    // The tool makes its own undo step.
    bool Commit() override { return true; }
    void DocumentOpened(TKelvoGraphicsDocument& document) override;
    void Activate() override;

    TKelvoResizeFrame* Frame = nullptr;

private:
    // The image's width and height (0 without a document).
    TSize ImageSize() const;
    void ShowSize();

    TResizeSize size_;
    bool constrain_ = false;
    bool optionsShown_ = false;
};
