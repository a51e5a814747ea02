// The brightness and contrast tool's settings in the tool panel: Auto Correction, the two track bars and OK and
// Cancel, with the link that shows and hides everything but Auto Correction. The frame only lays itself out and
// passes its events on; the tool decides.
#pragma once
#include <functional>

#include "app/win/TKelvoFrame.h"

class TSkinAlignmentPanel;
class TSkinButton;
class TSkinLabel;
class TSkinLink;
class TUniTrackBar;

class TKelvoBrightnessContrastFrame : public TKelvoFrame {
    CLASSLIB_COMPONENT(TKelvoBrightnessContrastFrame, TKelvoFrame)

    explicit TKelvoBrightnessContrastFrame(TComponent* owner);
    // The builder that makes the frame's controls; registered before the first frame is made.
    static void RegisterBuilder();

    // Shows or hides the track bars with their labels and the OK panel, keeping the order top to bottom.
    void ShowOptionControls(bool shown);

    TSkinLabel* TitleLabel = nullptr;
    TSkinAlignmentPanel* AutoCorrectionPanel = nullptr;
    TSkinButton* AutoCorrectionButton = nullptr;
    TSkinLabel* BrightnessLabel = nullptr;
    TUniTrackBar* BrightnessTrackBar = nullptr;
    TSkinLabel* ContrastLabel = nullptr;
    TUniTrackBar* ContrastTrackBar = nullptr;
    TSkinAlignmentPanel* OkPanel = nullptr;
    TSkinButton* OkButton = nullptr;
    TSkinButton* CancelButton = nullptr;
    TSkinLink* ShowOptions = nullptr;

    // The tool's handlers.
    std::function<void()> OnBrightnessChange;
    std::function<void()> OnContrastChange;
    std::function<void()> OnAutoCorrection;
    std::function<void()> OnOk;
    std::function<void()> OnCancel;
    std::function<void()> OnShowOptions;

private:
    static void Build(TComponent* root);
    void BrightnessTrackBarChange(TObject* sender);
    void ContrastTrackBarChange(TObject* sender);
    void AutoCorrectionButtonClick(TObject* sender);
    void OkButtonClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void ShowOptionsButtonClick(TObject* sender);
};
