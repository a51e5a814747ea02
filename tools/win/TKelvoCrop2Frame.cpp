#include "tools/win/TKelvoCrop2Frame.h"

#include <optional>
#include <string>

#include "app/core/TKelvoLocalizer.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/win/TFont.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/TSpinEdit.h"
#include "classlib/core/StringUtils.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "tools/win/TKelvoCrop2Tool.h"
#include "unicode/win/TUniComboBox.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniLabel.h"

namespace {

// What each screen format is used by, one resolution a line once the blanks are line breaks.
const char16_t* const kScreenFormatTexts[] = {u"640x480 800x600 1024x768 1400x1050 1600x1200",
                                              u"800x480 1280x768",
                                              u"1280x1024 2560x2048",
                                              u"1024x600",
                                              u"1280x720 1366x768 1920x1080 2560x1440 3840x2160",
                                              u"1280x800 1440x900 1680x1050 1920x1200 2560x1600"};

TUniComboBox* MakePresets(TKelvoCrop2Frame* frame, TSkinAlignmentPanel* panel, const char* name,
                          std::span<const std::string_view> presets, int index) {
    TUniComboBox* box = kelvo::MakeControl<TUniComboBox>(frame, panel, name, 8, 2, 176, 21);
    box->SetStyle(csDropDownList);
    for (std::string_view preset : presets) box->Items()->Add(WidenBytes(preset));
    box->SetItemIndex(index);
    return box;
}

// The edit's number, or none while it is empty.
std::optional<std::int32_t> EditValue(TSpinEdit* edit) {
    if (edit->Text().empty()) return std::nullopt;
    return edit->Value();
}

}  // namespace

TKelvoCrop2Frame::TKelvoCrop2Frame(TComponent* owner) : TKelvoFrame(owner) {}

void TKelvoCrop2Frame::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TKelvoCrop2Frame::Build); }

void TKelvoCrop2Frame::Build(TComponent* root) {
    auto* frame = static_cast<TKelvoCrop2Frame*>(root);
    frame->SetWidth(192);
    frame->SetHeight(480);
    frame->TitleLabel = kelvo::MakeControl<TSkinLabel>(frame, frame, "TitleLabel", 8, 0, 176, 20);
    frame->TitleLabel->SetCaption(u"Crop");
    frame->TitleLabel->Font()->SetStyle(TFontStyles{fsBold});
    frame->DescriptionLabel = kelvo::MakeControl<TSkinLabel>(frame, frame, "DescriptionLabel", 8, 0, 176, 48);
    frame->DescriptionLabel->SetWrapping(twWrap);

    const TNotifyEvent mode = MakeMethod<&TKelvoCrop2Frame::ModeChange>(frame);
    auto radio = [&](const char* name, const char16_t* caption) {
        TSkinRadioButton* r = kelvo::MakeControl<TSkinRadioButton>(frame, frame, name, 8, 0, 176, 20);
        r->SetCaption(caption);
        return r;
    };
    frame->rbFree = radio("rbFree", u"Free");
    frame->rbFoto = radio("rbFoto", u"Print Format");
    frame->rbScreen = radio("rbScreen", u"Screen Format");
    frame->rbFree->SetChecked(true);
    for (TSkinRadioButton* r : {frame->rbFree, frame->rbFoto, frame->rbScreen}) r->OnChange = mode;

    frame->SizePanel = kelvo::MakeFramePanel(frame, "SizePanel", 88);
    TSkinAlignmentPanel* size = frame->SizePanel;
    frame->WidthLabel = kelvo::MakeControl<TSkinLabel>(frame, size, "WidthLabel", 8, 6, 70, 16);
    frame->WidthEdit = kelvo::MakeControl<TSpinEdit>(frame, size, "WidthEdit", 84, 2, 72, 21);
    frame->HeightLabel = kelvo::MakeControl<TSkinLabel>(frame, size, "HeightLabel", 8, 32, 70, 16);
    frame->HeightEdit = kelvo::MakeControl<TSpinEdit>(frame, size, "HeightEdit", 84, 28, 72, 21);
    const TNotifyEvent ratio = MakeMethod<&TKelvoCrop2Frame::RatioChange>(frame);
    for (TSpinEdit* edit : {frame->WidthEdit, frame->HeightEdit}) {
        edit->SetMinValue(0);
        edit->SetMaxValue(100000);
        edit->Clear();
        edit->OnChange = ratio;
    }
    frame->btClear = kelvo::MakeControl<TSkinButton>(frame, size, "btClear", 84, 56, 72, 25);
    frame->btClear->SetCaption(u"Clear");
    frame->btClear->OnClick = MakeMethod<&TKelvoCrop2Frame::btClearClick>(frame);

    frame->panelFoto = kelvo::MakeFramePanel(frame, "panelFoto", 28);
    frame->cmbFoto = MakePresets(frame, frame->panelFoto, "cmbFoto", CropPrintPresets(), CropPrintDefault);
    frame->cmbFoto->OnChange = ratio;
    frame->panelScreen = kelvo::MakeFramePanel(frame, "panelScreen", 28);
    frame->cmbScreen = MakePresets(frame, frame->panelScreen, "cmbScreen", CropScreenPresets(), CropScreenDefault);
    frame->cmbScreen->OnChange = ratio;

    frame->gbListResolution = kelvo::MakeControl<TUniGroupBox>(frame, frame, "gbListResolution", 8, 0, 176, 112);
    frame->lblListResolution =
        kelvo::MakeControl<TUniLabel>(frame, frame->gbListResolution, "lblListResolution", 8, 18, 160, 88);
    frame->gbCurrentResolution = kelvo::MakeControl<TUniGroupBox>(frame, frame, "gbCurrentResolution", 8, 0, 176, 56);
    frame->lblCurrentResolution =
        kelvo::MakeControl<TUniLabel>(frame, frame->gbCurrentResolution, "lblCurrentResolution", 8, 18, 160, 32);
    for (TUniLabel* label : {frame->lblListResolution, frame->lblCurrentResolution}) {
        label->SetAutoSize(false);
        label->SetWordWrap(true);
    }

    frame->ShowOptions = kelvo::MakeControl<TSkinLink>(frame, frame, "ShowOptions", 8, 0, 176, 20);
    frame->ShowOptions->OnClick = MakeMethod<&TKelvoCrop2Frame::ShowOptionsButtonClick>(frame);
    frame->LayOut(false);
}

TCropRatioMode TKelvoCrop2Frame::Mode() const {
    if (rbFoto->Checked()) return TCropRatioMode::Print;
    if (rbScreen->Checked()) return TCropRatioMode::Screen;
    return TCropRatioMode::Free;
}

void TKelvoCrop2Frame::LayOut(bool optionsShown) {
    const TCropFrameVisibility shown = CropFrameVisibility(optionsShown, Mode());
    for (TControl* button :
         {static_cast<TControl*>(rbFree), static_cast<TControl*>(rbFoto), static_cast<TControl*>(rbScreen)})
        button->SetVisible(shown.ModeButtons);
    SizePanel->SetVisible(shown.SizePanel);
    panelFoto->SetVisible(shown.PrintPanel);
    panelScreen->SetVisible(shown.ScreenPanel);
    gbListResolution->SetVisible(shown.ResolutionGroups);
    gbCurrentResolution->SetVisible(shown.ResolutionGroups);
    kelvo::StackTopDown({TitleLabel, DescriptionLabel, rbFree, rbFoto, rbScreen, SizePanel, panelFoto, panelScreen,
                         gbListResolution, gbCurrentResolution, ShowOptions},
                        0);
}

void TKelvoCrop2Frame::SetRatio() {
    TCropRatio ratio;
    switch (Mode()) {
        case TCropRatioMode::Free: ratio = CropRatioFromEdits(EditValue(WidthEdit), EditValue(HeightEdit)); break;
        case TCropRatioMode::Print: {
            const int index = cmbFoto->ItemIndex();
            if (index >= 0 && index < int(CropPrintPresets().size()))
                ratio = ParseCropPreset(CropPrintPresets()[index]);
            break;
        }
        case TCropRatioMode::Screen: {
            const int index = cmbScreen->ItemIndex();
            if (index >= 0 && index < int(CropScreenPresets().size())) {
                ratio = ParseCropPreset(CropScreenPresets()[index]);
                WideString list = GetText(KelvoTextFirstScreenFormat + index, kScreenFormatTexts[index]);
                for (char16_t& c : list)
                    if (c == u' ') c = u'\n';
                lblListResolution->SetCaption(list);
            }
            break;
        }
    }
    if (Tool) Tool->SetRatio(ratio);
}

void TKelvoCrop2Frame::Localize() {
    rbFree->SetCaption(GetText(KelvoTextCropFree, u"Free"));
    rbFoto->SetCaption(GetText(KelvoTextCropPrint, u"Print Format"));
    rbScreen->SetCaption(GetText(KelvoTextCropScreen, u"Screen Format"));
    btClear->SetCaption(GetText(KelvoTextCropClear, u"Clear"));
    gbListResolution->SetCaption(GetText(KelvoTextListResolution, u"Typical Resolutions"));
    const std::int32_t w = Screen ? Screen->Width() : 0, h = Screen ? Screen->Height() : 0;
    const TCropRatio reduced = ReduceCropRatio(w, h);
    lblCurrentResolution->SetCaption(GetText(KelvoTextScreenResolution, u"Resolution") + u": " + kelvo::DecimalText(w) +
                                     u"x" + kelvo::DecimalText(h) + u"\n" + GetText(KelvoTextScreenRatio, u"Ratio") +
                                     u": " + kelvo::DecimalText(reduced.Width) + u"x" +
                                     kelvo::DecimalText(reduced.Height));
    SetRatio();
}

void TKelvoCrop2Frame::RatioChange(TObject*) { SetRatio(); }

void TKelvoCrop2Frame::ModeChange(TObject* sender) {
    // Each button tells its change; only the one that became checked counts.
    if (!static_cast<TSkinRadioButton*>(sender)->Checked()) return;
    SetRatio();
    if (Tool) LayOut(Tool->OptionsShown());
}

void TKelvoCrop2Frame::btClearClick(TObject*) {
    WidthEdit->Clear();
    HeightEdit->Clear();
    SetRatio();
}

void TKelvoCrop2Frame::ShowOptionsButtonClick(TObject*) {
    if (Tool) Tool->SetOptionsShown(!Tool->OptionsShown());
}
