#include "app/win/TKelvoJPEGOptionsForm.h"

#include <string>

#include "app/core/KelvoJPEGQuality.h"
#include "app/win/KelvoUniLayer.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/Win32.h"
#include "classlib/core/StringUtils.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniComboBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniTrackBar.h"

namespace {

// The built-in names of the quality presets.
const char16_t* const kPresetNames[] = {u"Low", u"Medium", u"High", u"Very High", u"Maximum"};

template <class T>
T* Make(TKelvoJPEGOptionsForm* form, TWinControl* parent, const char* name, int left, int top, int width, int height) {
    T* control = Create<T>(form);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

WideString Decimal(std::int32_t value) { return WidenBytes(std::to_string(value)); }

}  // namespace

TKelvoJPEGOptionsForm::TKelvoJPEGOptionsForm(TComponent* owner) : TKelvoForm(owner) {}

void TKelvoJPEGOptionsForm::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TKelvoJPEGOptionsForm::Build); }

void TKelvoJPEGOptionsForm::Build(TComponent* root) {
    auto* form = static_cast<TKelvoJPEGOptionsForm*>(root);
    form->SetCaption(u"JPEG Options");
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->Font()->SetName("Tahoma");
    form->Font()->SetHeight(-11);
    form->SetClientWidth(352);
    form->SetClientHeight(163);

    form->QualityGroupBox = Make<TUniGroupBox>(form, form, "QualityGroupBox", 8, 8, 248, 147);
    TUniGroupBox* group = form->QualityGroupBox;
    form->QualityLabel = Make<TUniLabel>(form, group, "QualityLabel", 12, 24, 44, 13);
    form->QualityLabel->SetCaption(u"Quality:");
    form->QualityEdit = Make<TUniEdit>(form, group, "QualityEdit", 60, 20, 44, 21);
    form->QualityComboBox = Make<TUniComboBox>(form, group, "QualityComboBox", 112, 20, 124, 21);
    form->QualityComboBox->SetStyle(csDropDownList);
    for (const char16_t* name : kPresetNames) form->QualityComboBox->Items()->Add(name);
    form->QualityTrackBar = Make<TUniTrackBar>(form, group, "QualityTrackBar", 8, 56, 232, 32);
    form->QualityTrackBar->SetMax(KelvoJPEGQualityMax);
    form->QualityTrackBar->SetFrequency(5);
    form->QualityTrackBar->SetThumbLength(16);
    form->SmallFileLabel = Make<TUniLabel>(form, group, "SmallFileLabel", 12, 96, 100, 13);
    form->SmallFileLabel->SetCaption(u"Small File");
    form->LargeFileLabel = Make<TUniLabel>(form, group, "LargeFileLabel", 136, 96, 100, 13);
    form->LargeFileLabel->SetAutoSize(false);
    form->LargeFileLabel->SetAlignment(taRightJustify);
    form->LargeFileLabel->SetCaption(u"Large File");

    form->OkButton = Make<TUniButton>(form, form, "OkButton", 264, 14, 80, 25);
    form->OkButton->SetCaption(u"OK");
    form->OkButton->SetDefault(true);
    form->OkButton->OnClick = MakeMethod<&TKelvoJPEGOptionsForm::OkButtonClick>(form);
    form->CancelButton = Make<TUniButton>(form, form, "CancelButton", 264, 46, 80, 25);
    form->CancelButton->SetCaption(u"Cancel");
    form->CancelButton->SetCancel(true);
    form->CancelButton->SetModalResult(mrCancel);
    form->DisplayCheckbox = Make<TUniCheckBox>(form, form, "DisplayCheckbox", 264, 84, 80, 17);
    form->DisplayCheckbox->SetCaption(u"Display");
    form->DisplayCheckbox->SetVisible(false);

    const TNotifyEvent change = MakeMethod<&TKelvoJPEGOptionsForm::QualityChange>(form);
    form->QualityEdit->OnChange = change;
    form->QualityComboBox->OnChange = change;
    form->QualityTrackBar->OnChange = change;
}

void TKelvoJPEGOptionsForm::SetQuality(std::int32_t value) {
    QualityTrackBar->SetPosition(value);
    QualityChange(QualityTrackBar);
}

std::int32_t TKelvoJPEGOptionsForm::GetQuality() const { return QualityTrackBar->Position(); }

void TKelvoJPEGOptionsForm::QualityChange(TObject* sender) {
    if (changing_) return;
    changing_ = true;
    TScopeExit done([this] { changing_ = false; });
    if (sender == QualityEdit) {
        // A text that is no quality (yet) leaves the others alone; OK deals with it.
        if (!IsJPEGQualityText(QualityEdit->Text())) return;
        const std::int32_t value = *ParseJPEGQualityText(QualityEdit->Text());
        QualityComboBox->SetItemIndex(JPEGPresetIndex(value));
        QualityTrackBar->SetPosition(value);
    } else if (sender == QualityTrackBar) {
        QualityEdit->SetText(Decimal(QualityTrackBar->Position()));
        QualityComboBox->SetItemIndex(JPEGPresetIndex(QualityTrackBar->Position()));
    } else if (sender == QualityComboBox) {
        const int index = QualityComboBox->ItemIndex();
        if (index < 0 || index >= int(KelvoJPEGPresets.size())) return;
        QualityTrackBar->SetPosition(KelvoJPEGPresets[index]);
        QualityEdit->SetText(Decimal(KelvoJPEGPresets[index]));
    }
}

void TKelvoJPEGOptionsForm::OkButtonClick(TObject*) {
    const WideString text = QualityEdit->Text();
    if (IsJPEGQualityText(text)) {
        SetModalResult(mrOk);
        return;
    }
    kelvo::ApplicationMessageBox(GetText(KelvoTextJpegBadQuality, u"The quality must be a whole number from 0 to 100."),
                                 Caption(), MB_OK | MB_ICONERROR);
    SetQuality(ClampJPEGQualityText(text));
}

void TKelvoJPEGOptionsForm::Localize() {
    SetCaption(GetText(KelvoTextJpegCaption, u"JPEG Options"));
    QualityLabel->SetCaption(GetText(KelvoTextJpegQuality, u"Quality") + u":");
    DisplayCheckbox->SetCaption(GetText(KelvoTextJpegDisplay, u"Display"));
    SmallFileLabel->SetCaption(GetText(KelvoTextJpegSmallFile, u"Small File"));
    LargeFileLabel->SetCaption(GetText(KelvoTextJpegLargeFile, u"Large File"));
    OkButton->SetCaption(GetText(KelvoTextOk, u"OK"));
    CancelButton->SetCaption(GetText(KelvoTextCancel, u"Cancel"));
    for (int i = 0; i < int(KelvoJPEGPresets.size()); ++i)
        QualityComboBox->Items()->SetStrings(i, GetText(KelvoTextFirstJpegPreset + i, kPresetNames[i]));
    // Re-captioning the presets loses the selection.
    SetQuality(GetQuality());
}

bool AskJPEGQuality(std::int32_t& quality) {
    TObjectPtr<TKelvoJPEGOptionsForm> form(Create<TKelvoJPEGOptionsForm>(nullptr));
    form->SetQuality(quality);
    if (form->ShowModal() != mrOk) return false;
    quality = form->GetQuality();
    return true;
}
