// The brightness and contrast tool: one tone table, the line through two points, maps every colour byte of the
// image. The two track bars set the points by hand; Auto Correction takes them from the image's darkest and
// brightest pixels. The first change opens an edit and shows the result at once; OK keeps it as one undo step,
// Cancel brings the committed pixels back. While it edits no other tool may.
#pragma once
#include <cstdint>

#include "tools/win/TKelvoPanelTool.h"

class TKelvoBrightnessContrastFrame;

class TKelvoBrightnessContrastTool : public TKelvoPanelTool {
    CLASSLIB_COMPONENT(TKelvoBrightnessContrastTool, TKelvoPanelTool)

    // Its button on the tool panel's toolbar and its frame in the panel.
    explicit TKelvoBrightnessContrastTool(TComponent* owner);
    ~TKelvoBrightnessContrastTool() override;

    std::int32_t Brightness() const { return brightness_; }
    std::int32_t Contrast() const { return contrast_; }
    bool OptionsShown() const { return optionsShown_; }

    // Builds the tone table (by hand from the values, or from the image's darkest and brightest pixels) and
    // maps the committed pixels through it into the working ones, opening the edit when none is open.
    void Apply(bool automatic);
    // A value held to the track bars' range; a new one moves its track bar and applies.
    void SetBrightness(std::int32_t value);
    void SetContrast(std::int32_t value);
    void ShowOptions(bool shown);
    // The frame's commands.
    void AutoCorrection();
    void Perform();
    void Cancel();

    void Localize() override;
    // Node 1 {B395C67E-2462-4FDD-8BAD-8640A1A1EEDB}: item 1 whether the options are shown.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
    void UpdateState() override;
    // The edit is kept; both values go back to 0.
    void EndEdit() override;
    // Both values back to 0; the tool stays enabled in plug-in mode.
    void DocumentOpened(TKelvoGraphicsDocument& document) override;
    void DocumentClosing(TKelvoGraphicsDocument& document) override;

    // The targets "BrightnessContrast" and its suffixes AutoCorrection, Brightness, Contrast, Perform, Cancel
    // and Options; the commands with the same suffixes, ShowOptions and HideOptions.
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;

    TKelvoBrightnessContrastFrame* Frame = nullptr;

private:
    // The track bars show the values.
    void ShowValues();
    void Record(const char* suffix);

    std::int32_t brightness_ = 0;
    std::int32_t contrast_ = 0;
    bool optionsShown_ = false;
};
