// The brightness and contrast tool: one tone table, the line through two points, maps every colour byte of the
// image. The two track bars set the points by hand; Auto Correction takes them from the image's darkest and
// brightest pixels. The first change opens an edit and shows the result at once; OK keeps it as one undo step,
// Cancel brings the committed pixels back. While it edits no other tool may.
#pragma once
#include <cstdint>

#include "app/win/TKelvoGraphicsTool.h"

class TKelvoBrightnessContrastFrame;
class TKelvoFrame;
class TKelvoToolPanelModule;
class TSkinItem;
class TSkinToolbar;
class TControl;

// What the tools with a button on the tool panel and a frame in it share.
namespace kelvotools {
// The program's tool panel, or null while there is none.
TKelvoToolPanelModule* ToolPanel();
// The screen centre of a button of a toolbar, or of a control; false while it is not shown.
bool ItemCentre(TSkinToolbar* toolbar, TSkinItem* item, TPoint& point);
bool ControlCentre(TControl* control, TPoint& point);
// The state of a tool's button and frame: the button checked while the tool is current and enabled while it may
// edit, the frame's controls enabled when both hold (returned).
bool UpdatePanelTool(TKelvoGraphicsTool& tool, TSkinItem* button, TKelvoFrame* frame);
// A tool left out (plug-in mode) takes its button and frame away.
void ShowPanelTool(TSkinItem* button, TKelvoFrame* frame, bool shown);
// The screen centre of a tool's button on the tool panel.
bool PanelButtonCentre(TSkinItem* button, TPoint& point);
// Recording a change made through a control: "MouseCurvedMove <target>", then the line that makes it.
void RecordChange(IKelvoDemoPlayback* recorder, const AnsiString& target, const AnsiString& line);
}  // namespace kelvotools

class TKelvoBrightnessContrastTool : public TKelvoGraphicsTool {
    CLASSLIB_COMPONENT(TKelvoBrightnessContrastTool, TKelvoGraphicsTool)

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

    // The button and the frame belong to the tool panel: the tool forgets them when they go first.
    void Notification(TComponent* component, TOperation operation) override;
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
    void SetEnabled(bool value) override;
    void Activate() override;

    // The targets "BrightnessContrast" and its suffixes AutoCorrection, Brightness, Contrast, Perform, Cancel
    // and Options; the commands with the same suffixes, ShowOptions and HideOptions.
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;

    TSkinItem* Button = nullptr;
    TKelvoBrightnessContrastFrame* Frame = nullptr;

private:
    void ButtonClick(TObject* sender);
    // The track bars show the values.
    void ShowValues();
    void Record(const char* suffix);

    std::int32_t brightness_ = 0;
    std::int32_t contrast_ = 0;
    bool optionsShown_ = false;
};
