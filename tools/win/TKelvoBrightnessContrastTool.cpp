#include "tools/win/TKelvoBrightnessContrastTool.h"

#include <cmath>

#include "app/core/KelvoEditorDemo.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TFont.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBView.h"
#include "tools/core/BrightnessContrast.h"
#include "tools/win/TKelvoBrightnessContrastFrame.h"
#include "unicode/win/TUniTrackBar.h"

namespace {

constexpr std::int32_t kTextOk = 1;
constexpr std::int32_t kTextCancel = 2;
constexpr std::int32_t kTextBrightness = 550;
constexpr std::int32_t kTextContrast = 558;
constexpr std::int32_t kTextShowOptions = 2019;
constexpr std::int32_t kTextHideOptions = 2020;
constexpr std::int32_t kTextBrightnessContrast = 2021;
constexpr std::int32_t kTextAutoCorrection = 2022;

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

namespace kelvotools {

TKelvoToolPanelModule* ToolPanel() {
    if (!Application) return nullptr;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* panel = dynamic_cast<TKelvoToolPanelModule*>(Application->Components(i))) return panel;
    return nullptr;
}

bool ItemCentre(TSkinToolbar* toolbar, TSkinItem* item, TPoint& point) {
    if (!toolbar || !item || !toolbar->HandleAllocated()) return false;
    TTBItemViewer* viewer = toolbar->View()->Find(item);
    if (!viewer || !viewer->Show()) return false;
    const TRect bounds = viewer->BoundsRect();
    point = viewer->View()->Window()->ClientToScreen(
        Point(bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2));
    return true;
}

bool ControlCentre(TControl* control, TPoint& point) {
    if (!control || !control->Visible()) return false;
    point = control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
    return true;
}

bool UpdatePanelTool(TKelvoGraphicsTool& tool, TSkinItem* button, TKelvoFrame* frame) {
    TKelvoGraphicsEditor* editor = TKelvoGraphicsTool::Editor();
    if (!editor || !button || !frame) return false;
    const bool checked = editor->ActiveTool() == &tool;
    const bool enabled = editor->CanToolEdit(&tool);
    button->SetChecked(checked);
    button->SetEnabled(enabled);
    frame->SetControlsEnabled(enabled && checked);
    return enabled && checked;
}

void ShowPanelTool(TSkinItem* button, TKelvoFrame* frame, bool shown) {
    if (frame) frame->SetVisible(shown);
    if (button) button->SetVisible(shown);
}

bool PanelButtonCentre(TSkinItem* button, TPoint& point) {
    TKelvoToolPanelModule* panel = ToolPanel();
    return panel && ItemCentre(panel->Toolbar, button, point);
}

void RecordChange(IKelvoDemoPlayback* recorder, const AnsiString& target, const AnsiString& line) {
    if (!recorder) return;
    recorder->AddLine("MouseCurvedMove " + target);
    recorder->AddLine(line);
}

}  // namespace kelvotools

TKelvoBrightnessContrastTool::TKelvoBrightnessContrastTool(TComponent* owner) : TKelvoGraphicsTool(owner) {
    toolName_ = "BrightnessContrast";
    exclusive_ = true;
    TKelvoGraphicsEditor* editor = Editor();
    TKelvoToolPanelModule* panel = kelvotools::ToolPanel();
    if (!editor || !editor->MainForm() || !panel) return;
    TMainForm& form = *editor->MainForm();
    const WideString caption = GetText(kTextBrightnessContrast, u"Brightness & Contrast");
    Button =
        form.AddToolButton<TSkinItem>(panel->Toolbar, form.GetImages(), nullptr, caption, form.LoadImage("CONTRAST"),
                                      MakeMethod<&TKelvoBrightnessContrastTool::ButtonClick>(this));
    TKelvoBrightnessContrastFrame::RegisterBuilder();
    Button->FreeNotification(this);
    Frame = panel->AddToolFrame<TKelvoBrightnessContrastFrame>();
    Frame->FreeNotification(this);
    Frame->TitleLabel->Font()->SetStyle(TFontStyles{fsBold});
    Frame->OnBrightnessChange = [this] {
        if (Frame->BrightnessTrackBar->Position() != brightness_) SetBrightness(Frame->BrightnessTrackBar->Position());
    };
    Frame->OnContrastChange = [this] {
        if (Frame->ContrastTrackBar->Position() != contrast_) SetContrast(Frame->ContrastTrackBar->Position());
    };
    Frame->OnAutoCorrection = [this] { AutoCorrection(); };
    Frame->OnOk = [this] { Perform(); };
    Frame->OnCancel = [this] { Cancel(); };
    Frame->OnShowOptions = [this] { ShowOptions(!optionsShown_); };
    optionsShown_ = true;
    ShowOptions(false);
}

TKelvoBrightnessContrastTool::~TKelvoBrightnessContrastTool() {
    if (!Frame) return;
    Frame->OnBrightnessChange = Frame->OnContrastChange = nullptr;
    Frame->OnAutoCorrection = Frame->OnOk = Frame->OnCancel = Frame->OnShowOptions = nullptr;
}

void TKelvoBrightnessContrastTool::ButtonClick(TObject*) { Select(); }

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
        Frame->ShowOptions->SetCaption(shown ? GetText(kTextHideOptions, u"Hide Options")
                                             : GetText(kTextShowOptions, u"Show More Options"));
    }
    Record(shown ? "ShowOptions" : "HideOptions");
}

void TKelvoBrightnessContrastTool::Record(const char* suffix) {
    // The options link is one target for both of its commands.
    const AnsiString target = toolName_ + (AnsiString(suffix).ends_with("Options") ? AnsiString("Options") : suffix);
    kelvotools::RecordChange(Recorder(), target, toolName_ + suffix);
}

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

void TKelvoBrightnessContrastTool::Notification(TComponent* component, TOperation operation) {
    TKelvoGraphicsTool::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == Frame) Frame = nullptr;
    if (component == Button) Button = nullptr;
}

void TKelvoBrightnessContrastTool::Localize() {
    TKelvoGraphicsTool::Localize();
    if (!Frame || !Button) return;
    const WideString title = GetText(kTextBrightnessContrast, u"Brightness & Contrast");
    Button->SetHint(title);
    Frame->TitleLabel->SetCaption(title);
    Frame->AutoCorrectionButton->SetCaption(GetText(kTextAutoCorrection, u"Auto Correction"));
    Frame->BrightnessLabel->SetCaption(GetText(kTextBrightness, u"Brightness") + u":");
    Frame->ContrastLabel->SetCaption(GetText(kTextContrast, u"Contrast") + u":");
    Frame->OkButton->SetCaption(GetText(kTextOk, u"OK"));
    Frame->CancelButton->SetCaption(GetText(kTextCancel, u"Cancel"));
    Frame->ShowOptions->SetCaption(optionsShown_ ? GetText(kTextHideOptions, u"Hide Options")
                                                 : GetText(kTextShowOptions, u"Show More Options"));
}

void TKelvoBrightnessContrastTool::LoadState(TKelvoSDFReader& reader) {
    TKelvoGraphicsTool::LoadState(reader);
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    std::int32_t shown = 0;
    if (reader.ReadInteger(kOptionsShownItem, shown)) ShowOptions(shown != 0);
}

void TKelvoBrightnessContrastTool::SaveState(TKelvoSDFWriter& writer) {
    TKelvoGraphicsTool::SaveState(writer);
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteInteger(kOptionsShownItem, optionsShown_ ? 1 : 0);
    writer.EndNode();
}

void TKelvoBrightnessContrastTool::UpdateState() {
    TKelvoGraphicsTool::UpdateState();
    if (kelvotools::UpdatePanelTool(*this, Button, Frame)) {
        const bool editing = EditedDocument() != nullptr;
        if (Frame->OkButton->Enabled() != editing) Frame->OkButton->SetEnabled(editing);
        if (Frame->CancelButton->Enabled() != editing) Frame->CancelButton->SetEnabled(editing);
    }
}

void TKelvoBrightnessContrastTool::EndEdit() {
    TKelvoGraphicsTool::EndEdit();
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

void TKelvoBrightnessContrastTool::SetEnabled(bool value) {
    kelvotools::ShowPanelTool(Button, Frame, value);
    TKelvoGraphicsTool::SetEnabled(value);
}

void TKelvoBrightnessContrastTool::Activate() {
    TKelvoGraphicsTool::Activate();
    if (Frame) Frame->BringToFront();
}

void TKelvoBrightnessContrastTool::ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command,
                                                      bool& handled, IKelvoDemoMacro& macro,
                                                      const TKelvoProperties& params) {
    const AnsiString name = UpperCase(toolName_);
    if (!command.starts_with(name) || command == name) {
        TKelvoGraphicsTool::ExecuteDemoCommand(playback, command, handled, macro, params);
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
        found = kelvotools::PanelButtonCentre(Button, point);
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
    found = kelvotools::ControlCentre(target, point);
}
