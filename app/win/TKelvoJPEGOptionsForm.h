// The JPEG options dialog: the quality shown three ways that follow each other (a number in an edit box, one
// of five named presets, a slider 0..100). OK accepts only a number 0..100; anything else is reported and
// replaced by the nearest quality, and the dialog stays open.
//
//     std::int32_t quality = 75;
//     if (AskJPEGQuality(quality)) ...  // OK: quality holds the chosen value; Cancel leaves it as it was
#pragma once
#include <cstdint>

#include "app/win/TKelvoForm.h"

class TUniButton;
class TUniCheckBox;
class TUniComboBox;
class TUniEdit;
class TUniGroupBox;
class TUniLabel;
class TUniTrackBar;

class TKelvoJPEGOptionsForm : public TKelvoForm {
    CLASSLIB_COMPONENT(TKelvoJPEGOptionsForm, TKelvoForm)

    explicit TKelvoJPEGOptionsForm(TComponent* owner);
    // The builder that makes the form's controls; registered once before the first form is made.
    static void RegisterBuilder();

    void SetQuality(std::int32_t value);
    std::int32_t GetQuality() const;

    void Localize() override;

    // The form's controls (made by the builder).
    TUniButton* OkButton = nullptr;
    TUniButton* CancelButton = nullptr;
    TUniCheckBox* DisplayCheckbox = nullptr;
    TUniGroupBox* QualityGroupBox = nullptr;
    TUniLabel* SmallFileLabel = nullptr;
    TUniLabel* LargeFileLabel = nullptr;
    TUniLabel* QualityLabel = nullptr;
    TUniEdit* QualityEdit = nullptr;
    TUniComboBox* QualityComboBox = nullptr;
    TUniTrackBar* QualityTrackBar = nullptr;

private:
    static void Build(TComponent* root);
    // Whichever control changed, the other two follow it; the changes this makes do not come back here.
    void QualityChange(TObject* sender);
    void OkButtonClick(TObject* sender);

    bool changing_ = false;
};

// Shows the dialog modally with quality; true on OK with the chosen quality written back.
bool AskJPEGQuality(std::int32_t& quality);
