#include "tools/win/TKelvoBrightnessContrastTool.h"

#include <cmath>

#include "app/core/KelvoEditorDemo.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/win/TFont.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "tools/core/BrightnessContrast.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "tools/win/TKelvoBrightnessContrastFrame.h"
#include "unicode/win/TUniTrackBar.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{B395C67E-2462-4FDD-8BAD-8640A1A1EEDB}");
constexpr std::uint32_t kOptionsShownItem = 1;

// A number parameter of a demonstration command as a track bar value; false without one.
bool DemoValue(const TKelvoProperties& params, std::int32_t& value) {
    double number = 0;
    if (!DemoParamNumber(params, 0, number) || !std::isfinite(number)) return false;
    value = ClampBrightnessContrast(std::int32_t(std::fmax(-1e6, std::fmin(1e6, number))));
    return true;
}

}  // namespace

TKelvoBrightnessContrastTool::TKelvoBrightnessContrastTool(TComponent* owner) : TKelvoPanelTool(owner) {
    toolName_ = "BrightnessContrast";
    exclusive_ = true;
    AddButtonAndFrame(Frame, "CONTRAST", GetText(KelvoTextBrightnessContrast, u"Brightness & Contrast"));
    if (!Frame) return;
    Frame->Tool = this;
    Frame->TitleLabel->Font()->SetStyle(TFontStyles{fsBold});
    optionsShown_ = true;
    ShowOptions(false);
}

TKelvoBrightnessContrastTool::~TKelvoBrightnessContrastTool() {
    if (Frame) Frame->Tool = nullptr;
}

void TKelvoBrightnessContrastTool::Apply(bool automatic) {
    TKelvoGraphicsEditor* editor = Editor();
    if (!EditedDocument()) {
        TKelvoGraphicsView* view = editor ? editor->GetActiveView() : nullptr;
        if (!view) return;
        BeginEdit(*view);
    }
    const TKelvoPixels& source = *CommittedBuffer();
    TKelvoPixels& dest = *CurrentPixels();
    TToneLine line;
    if (automatic) {
        const TAutoCorrection correction = ::AutoCorrection(ScanAutoLevels(source));
        brightness_ = ClampBrightnessContrast(correction.Brightness);
        contrast_ = ClampBrightnessContrast(correction.Contrast);
        line = correction.Line;
    } else {
        line = BrightnessContrastLine(brightness_, contrast_);
    }
    ApplyToneTable(source, dest, ToneTableOfLine(line));
    AddDirtyRect(dest.GetBounds(), true);
}

void TKelvoBrightnessContrastTool::SetBrightness(std::int32_t value) {
    value = ClampBrightnessContrast(value);
    if (value == brightness_) return;
    brightness_ = value;
    if (Frame) Frame->BrightnessTrackBar->SetPosition(value);
    Apply(false);
    if (Recorder()) Recorder()->AddLine(toolName_ + "Brightness " + IntToStr(value));
}

void TKelvoBrightnessContrastTool::SetContrast(std::int32_t value) {
    value = ClampBrightnessContrast(value);
    if (value == contrast_) return;
    contrast_ = value;
    if (Frame) Frame->ContrastTrackBar->SetPosition(value);
    Apply(false);
    if (Recorder()) Recorder()->AddLine(toolName_ + "Contrast " + IntToStr(value));
}

void TKelvoBrightnessContrastTool::ShowValues() {
    if (!Frame) return;
    Frame->BrightnessTrackBar->SetPosition(brightness_);
    Frame->ContrastTrackBar->SetPosition(contrast_);
}

void TKelvoBrightnessContrastTool::ShowOptions(bool shown) {
    optionsShown_ = shown;
    if (Frame) {
        Frame->ShowOptionControls(shown);
        kelvo::SetOptionsLink(*Frame->ShowOptions, shown);
    }
    RecordOptionsShown(shown);
}

void TKelvoBrightnessContrastTool::Record(const char* suffix) { RecordChange(toolName_ + suffix, toolName_ + suffix); }

void TKelvoBrightnessContrastTool::AutoCorrection() {
    Apply(true);
    ShowValues();
    // Without the options there is no OK to press: the correction is kept at once.
    if (!optionsShown_) EndEdit();
    Record("AutoCorrection");
}

void TKelvoBrightnessContrastTool::Perform() {
    EndEdit();
    Record("Perform");
}

void TKelvoBrightnessContrastTool::Cancel() {
    brightness_ = contrast_ = 0;
    ShowValues();
    CancelEdit();
    Record("Cancel");
}

void TKelvoBrightnessContrastTool::Localize() {
    TKelvoPanelTool::Localize();
    if (!Frame || !Button) return;
    const WideString title = GetText(KelvoTextBrightnessContrast, u"Brightness & Contrast");
    Button->SetHint(title);
    Frame->TitleLabel->SetCaption(title);
    Frame->AutoCorrectionButton->SetCaption(GetText(KelvoTextAutoCorrection, u"Auto Correction"));
    Frame->BrightnessLabel->SetCaption(GetText(KelvoTextBrightness, u"Brightness") + u":");
    Frame->ContrastLabel->SetCaption(GetText(KelvoTextContrast, u"Contrast") + u":");
    Frame->OkButton->SetCaption(GetText(KelvoTextOk, u"OK"));
    Frame->CancelButton->SetCaption(GetText(KelvoTextCancel, u"Cancel"));
    kelvo::SetOptionsLink(*Frame->ShowOptions, optionsShown_);
}

void TKelvoBrightnessContrastTool::LoadState(TKelvoSDFReader& reader) {
    TKelvoPanelTool::LoadState(reader);
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    std::int32_t shown = 0;
    if (reader.ReadInteger(kOptionsShownItem, shown)) ShowOptions(shown != 0);
}

void TKelvoBrightnessContrastTool::SaveState(TKelvoSDFWriter& writer) {
    TKelvoPanelTool::SaveState(writer);
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteInteger(kOptionsShownItem, optionsShown_ ? 1 : 0);
    writer.EndNode();
}

void TKelvoBrightnessContrastTool::UpdateState() {
    TKelvoPanelTool::UpdateState();
    if (UpdateButtonAndFrame() && Frame) {
        const bool editing = EditedDocument() != nullptr;
        if (Frame->OkButton->Enabled() != editing) Frame->OkButton->SetEnabled(editing);
        if (Frame->CancelButton->Enabled() != editing) Frame->CancelButton->SetEnabled(editing);
    }
}

void TKelvoBrightnessContrastTool::EndEdit() {
    TKelvoPanelTool::EndEdit();
    brightness_ = contrast_ = 0;
    ShowValues();
}

void TKelvoBrightnessContrastTool::DocumentOpened(TKelvoGraphicsDocument&) {
    // Not the base's: the tool stays in plug-in mode, where correcting the host's image is the point; it keeps
    // the image's size, which is all the host needs back.
    brightness_ = contrast_ = 0;
    ShowValues();
}

void TKelvoBrightnessContrastTool::DocumentClosing(TKelvoGraphicsDocument& document) {
    if (EditedDocument() == &document) EndEdit();
}

void TKelvoBrightnessContrastTool::ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command,
                                                      bool& handled, IKelvoDemoMacro& macro,
                                                      const TKelvoProperties& params) {
    const AnsiString name = UpperCase(toolName_);
    if (!command.starts_with(name) || command == name) {
        TKelvoPanelTool::ExecuteDemoCommand(playback, command, handled, macro, params);
        return;
    }
    const AnsiString suffix = command.substr(name.size());
    std::int32_t value = 0;
    handled = true;
    if (suffix == "AUTOCORRECTION") {
        AutoCorrection();
    } else if (suffix == "BRIGHTNESS") {
        SetBrightness(DemoValue(params, value) ? value : brightness_);
    } else if (suffix == "CONTRAST") {
        SetContrast(DemoValue(params, value) ? value : contrast_);
    } else if (suffix == "PERFORM") {
        Perform();
    } else if (suffix == "CANCEL") {
        Cancel();
    } else if (suffix == "SHOWOPTIONS" || suffix == "HIDEOPTIONS") {
        double flag = suffix == "SHOWOPTIONS" ? 1 : 0;
        DemoParamNumber(params, 0, flag);
        ShowOptions(flag != 0);
    } else {
        handled = false;
    }
}

void TKelvoBrightnessContrastTool::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString name;
    if (!DemoParamText(params, 0, name) || !Frame) return;
    name = UpperCase(name);
    const AnsiString prefix = UpperCase(toolName_);
    if (name == prefix) {
        found = ButtonCentre(point);
        return;
    }
    if (!name.starts_with(prefix)) return;
    const AnsiString suffix = name.substr(prefix.size());
    TControl* target = suffix == "AUTOCORRECTION" ? static_cast<TControl*>(Frame->AutoCorrectionButton)
                       : suffix == "BRIGHTNESS"   ? static_cast<TControl*>(Frame->BrightnessTrackBar)
                       : suffix == "CONTRAST"     ? static_cast<TControl*>(Frame->ContrastTrackBar)
                       : suffix == "PERFORM"      ? static_cast<TControl*>(Frame->OkButton)
                       : suffix == "CANCEL"       ? static_cast<TControl*>(Frame->CancelButton)
                       : suffix == "OPTIONS"      ? static_cast<TControl*>(Frame->ShowOptions)
                                                  : nullptr;
    found = ControlCentre(target, point);
}
