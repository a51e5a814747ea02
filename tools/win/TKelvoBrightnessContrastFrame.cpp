#include "tools/win/TKelvoBrightnessContrastFrame.h"

#include "classlib/core/FormBuilder.h"
#include "classlib/win/TFont.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "tools/core/BrightnessContrast.h"
#include "unicode/win/TUniTrackBar.h"

namespace {

constexpr int kFrameWidth = 186;
constexpr int kFrameHeight = 444;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 23;
constexpr int kPanelHeight = 33;
constexpr int kTrackBarHeight = 32;

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name, int height) {
    T* control = Create<T>(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(0, 10000, parent->ClientWidth(), height);
    control->SetAlign(alTop);
    return control;
}

TUniTrackBar* MakeTrackBar(TComponent* owner, TWinControl* parent, const char* name) {
    auto* bar = Make<TUniTrackBar>(owner, parent, name, kTrackBarHeight);
    bar->SetRange(BrightnessContrastMin, BrightnessContrastMax);
    bar->SetFrequency(16);
    bar->SetThumbLength(16);
    bar->SetPosition(0);
    return bar;
}

TSkinButton* MakeButton(TComponent* owner, TWinControl* parent, const char* name, const char16_t* caption, int left) {
    TSkinButton* button = Create<TSkinButton>(owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetAutoSize(false);
    button->SetBounds(left, 5, kButtonWidth, kButtonHeight);
    button->SetCaption(caption);
    return button;
}

}  // namespace

TKelvoBrightnessContrastFrame::TKelvoBrightnessContrastFrame(TComponent* owner) : TKelvoFrame(owner) {}

void TKelvoBrightnessContrastFrame::RegisterBuilder() {
    RegisterFormBuilder(StaticClass(), &TKelvoBrightnessContrastFrame::Build);
}

void TKelvoBrightnessContrastFrame::Build(TComponent* root) {
    auto* frame = static_cast<TKelvoBrightnessContrastFrame*>(root);
    frame->SetWidth(kFrameWidth);
    frame->SetHeight(kFrameHeight);

    frame->TitleLabel = Make<TSkinLabel>(frame, frame, "TitleLabel", 20);
    frame->TitleLabel->SetUnderline(true);
    // The title's "&" is part of it, not a key.
    frame->TitleLabel->SetShowAccelChar(false);
    frame->TitleLabel->SetCaption(u"Brightness & Contrast");

    frame->AutoCorrectionPanel = Make<TSkinAlignmentPanel>(frame, frame, "AutoCorrectionPanel", kPanelHeight);
    frame->AutoCorrectionButton =
        MakeButton(frame, frame->AutoCorrectionPanel, "AutoCorrectionButton", u"Auto Correction", 0);
    frame->AutoCorrectionButton->SetWidth(2 * kButtonWidth + 8);

    frame->BrightnessLabel = Make<TSkinLabel>(frame, frame, "BrightnessLabel", 18);
    frame->BrightnessLabel->SetCaption(u"Brightness:");
    frame->BrightnessTrackBar = MakeTrackBar(frame, frame, "BrightnessTrackBar");
    frame->ContrastLabel = Make<TSkinLabel>(frame, frame, "ContrastLabel", 18);
    frame->ContrastLabel->SetCaption(u"Contrast:");
    frame->ContrastTrackBar = MakeTrackBar(frame, frame, "ContrastTrackBar");

    frame->OkPanel = Make<TSkinAlignmentPanel>(frame, frame, "OkPanel", kPanelHeight);
    frame->OkButton = MakeButton(frame, frame->OkPanel, "OkButton", u"Ok", 0);
    frame->CancelButton = MakeButton(frame, frame->OkPanel, "CancelButton", u"Cancel", kButtonWidth + 8);

    frame->ShowOptions = Make<TSkinLink>(frame, frame, "ShowOptions", 20);
    frame->ShowOptions->SetCursor(crHandPoint);
    frame->ShowOptions->SetCaption(u"Show More Options");

    frame->BrightnessTrackBar->OnChange = MakeMethod<&TKelvoBrightnessContrastFrame::BrightnessTrackBarChange>(frame);
    frame->ContrastTrackBar->OnChange = MakeMethod<&TKelvoBrightnessContrastFrame::ContrastTrackBarChange>(frame);
    frame->AutoCorrectionButton->OnClick = MakeMethod<&TKelvoBrightnessContrastFrame::AutoCorrectionButtonClick>(frame);
    frame->OkButton->OnClick = MakeMethod<&TKelvoBrightnessContrastFrame::OkButtonClick>(frame);
    frame->CancelButton->OnClick = MakeMethod<&TKelvoBrightnessContrastFrame::CancelButtonClick>(frame);
    frame->ShowOptions->OnClick = MakeMethod<&TKelvoBrightnessContrastFrame::ShowOptionsButtonClick>(frame);
}

void TKelvoBrightnessContrastFrame::ShowOptionControls(bool shown) {
    TControl* order[] = {TitleLabel,    AutoCorrectionPanel, BrightnessLabel, BrightnessTrackBar,
                         ContrastLabel, ContrastTrackBar,    OkPanel,         ShowOptions};
    for (TControl* option : {static_cast<TControl*>(BrightnessLabel), static_cast<TControl*>(BrightnessTrackBar),
                             static_cast<TControl*>(ContrastLabel), static_cast<TControl*>(ContrastTrackBar),
                             static_cast<TControl*>(OkPanel)})
        option->SetVisible(shown);
    // Top-aligned controls stack by their tops: a control shown again goes back to its own place.
    int top = 0;
    for (TControl* control : order) {
        if (!control->Visible()) continue;
        control->SetTop(top);
        top += control->Height();
    }
}

void TKelvoBrightnessContrastFrame::BrightnessTrackBarChange(TObject*) {
    if (OnBrightnessChange) OnBrightnessChange();
}

void TKelvoBrightnessContrastFrame::ContrastTrackBarChange(TObject*) {
    if (OnContrastChange) OnContrastChange();
}

void TKelvoBrightnessContrastFrame::AutoCorrectionButtonClick(TObject*) {
    if (OnAutoCorrection) OnAutoCorrection();
}

void TKelvoBrightnessContrastFrame::OkButtonClick(TObject*) {
    if (OnOk) OnOk();
}

void TKelvoBrightnessContrastFrame::CancelButtonClick(TObject*) {
    if (OnCancel) OnCancel();
}

void TKelvoBrightnessContrastFrame::ShowOptionsButtonClick(TObject*) {
    if (OnShowOptions) OnShowOptions();
}
