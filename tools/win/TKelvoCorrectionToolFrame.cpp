#include "tools/win/TKelvoCorrectionToolFrame.h"

#include <cmath>
#include <string>

#include "classlib/core/FormBuilder.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TSpinEdit.h"
#include "classlib/core/StringUtils.h"
#include "tools/core/TKelvoLensProfile.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniRadioButton.h"
#include "unicode/win/TUniRadioGroup.h"
#include "tools/win/TUniMyTrackBar.h"

namespace {

constexpr int kFrameWidth = 178;
constexpr int kMargin = 4;
constexpr int kLine = 18;

// A control of the frame; Arrange gives it its bounds.
template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name) {
    return kelvo::MakeControl<T>(owner, parent, name, 0, 0, 0, 0);
}

}  // namespace

TKelvoCorrectionToolFrame::TKelvoCorrectionToolFrame(TComponent* owner) : TKelvoFrame(owner) {}

void TKelvoCorrectionToolFrame::RegisterBuilder() {
    RegisterFormBuilder(StaticClass(), &TKelvoCorrectionToolFrame::Build);
}

TUniMyTrackBar* TKelvoCorrectionToolFrame::MakeDistortionTrackBar() {
    return Make<TUniMyTrackBar>(this, tgbDistor, "DistorTrackBar");
}

void TKelvoCorrectionToolFrame::Build(TComponent* root) {
    auto* f = static_cast<TKelvoCorrectionToolFrame*>(root);
    f->SetWidth(kFrameWidth);
    f->SetHeight(420);
    f->TitleLabel = Make<TUniLabel>(f, f, "TitleLabel");
    f->TitleLabel->Font()->SetStyle({fsBold});

    f->trgCrop = Make<TUniRadioGroup>(f, f, "trgCrop");
    for (const char16_t* item : {u"Keep size", u"Crop", u"Stretch"}) f->trgCrop->Items()->Add(item);
    f->trgCrop->SetItemIndex(0);

    f->tgbDistor = Make<TUniGroupBox>(f, f, "tgbDistor");
    f->trbDistorNo = Make<TUniRadioButton>(f, f->tgbDistor, "trbDistorNo");
    f->trbDistorMan = Make<TUniRadioButton>(f, f->tgbDistor, "trbDistorMan");
    f->trbDistorAuto = Make<TUniRadioButton>(f, f->tgbDistor, "trbDistorAuto");
    f->trbDistorNo->SetChecked(true);
    f->seDistorD3 = Make<TSpinEdit>(f, f->tgbDistor, "seDistorD3");
    f->seDistorD3->SetMinValue(-100);
    f->seDistorD3->SetMaxValue(100);
    f->seDistorD3->SetValue(0);
    f->DistorTrackBar = f->MakeDistortionTrackBar();
    f->DistorTrackBar->SetRange(-100, 100);
    f->DistorTrackBar->SetFrequency(10);
    f->DistorTrackBar->SetPosition(0);
    f->sklEquipMake = Make<TUniLabel>(f, f->tgbDistor, "sklEquipMake");
    f->sklEquipModel = Make<TUniLabel>(f, f->tgbDistor, "sklEquipModel");
    f->sklFocalLength = Make<TUniLabel>(f, f->tgbDistor, "sklFocalLength");
    f->sklKoef = Make<TUniLabel>(f, f->tgbDistor, "sklKoef");

    f->TGBRefRecSize = Make<TUniGroupBox>(f, f, "TGBRefRecSize");
    f->CBRefSize = Make<TUniCheckBox>(f, f->TGBRefRecSize, "CBRefSize");
    f->LabelWidth = Make<TUniLabel>(f, f->TGBRefRecSize, "LabelWidth");
    f->EditWidth = Make<TUniEdit>(f, f->TGBRefRecSize, "EditWidth");
    f->LabelHeight = Make<TUniLabel>(f, f->TGBRefRecSize, "LabelHeight");
    f->EditHeight = Make<TUniEdit>(f, f->TGBRefRecSize, "EditHeight");

    f->btFinish = Make<TUniButton>(f, f, "btFinish");
}

void TKelvoCorrectionToolFrame::Arrange() {
    const int w = Width() > 0 ? Width() : kFrameWidth;
    const int inner = w - 2 * kMargin;
    int top = kMargin;
    TitleLabel->SetBounds(kMargin, top, inner, 16);
    top += 20;
    trgCrop->SetBounds(kMargin, top, inner, 80);
    top += 84;

    trbDistorNo->SetBounds(6, 16, inner - 12, 17);
    trbDistorMan->SetBounds(6, 16 + kLine, inner - 12, 17);
    trbDistorAuto->SetBounds(6, 16 + 2 * kLine, inner - 12, 17);
    seDistorD3->SetBounds(6, 16 + 3 * kLine, 60, 21);
    DistorTrackBar->SetBounds(6, 16 + 3 * kLine + 23, inner - 12, 27);
    int y = 16 + 3 * kLine + 52;
    for (TUniLabel* label : {sklEquipMake, sklEquipModel, sklFocalLength, sklKoef}) {
        label->SetBounds(8, y, inner - 16, 14);
        y += 15;
    }
    tgbDistor->SetBounds(kMargin, top, inner, y + 4);
    top += y + 8;

    ArrangeExtra(top, inner);

    CBRefSize->SetBounds(8, 16, inner - 16, 17);
    LabelWidth->SetBounds(8, 40, 60, 14);
    EditWidth->SetBounds(72, 37, inner - 80, 21);
    LabelHeight->SetBounds(8, 64, 60, 14);
    EditHeight->SetBounds(72, 61, inner - 80, 21);
    TGBRefRecSize->SetBounds(kMargin, top, inner, 88);
    top += 92;
    btFinish->SetBounds(kMargin, top, inner, 25);
    top += 29;
    SetHeight(top);
}

int TKelvoCorrectionToolFrame::DistortionMode() const {
    if (trbDistorMan->Checked()) return DistortionManual;
    if (trbDistorAuto->Checked()) return DistortionAutomatic;
    return DistortionNone;
}

void TKelvoCorrectionToolFrame::SetDistortionMode(int mode) {
    TUniRadioButton* button = mode == DistortionManual      ? trbDistorMan
                              : mode == DistortionAutomatic ? trbDistorAuto
                                                            : trbDistorNo;
    button->SetChecked(true);
}

int TKelvoCorrectionToolFrame::ManualValue() { return seDistorD3->Value(); }

void TKelvoCorrectionToolFrame::SetManualValue(int value) {
    seDistorD3->SetValue(value);
    DistorTrackBar->SetPosition(seDistorD3->Value());
}

int TKelvoCorrectionToolFrame::CropType() const { return trgCrop->ItemIndex() < 0 ? 0 : trgCrop->ItemIndex(); }

void TKelvoCorrectionToolFrame::SetCropType(int value) { trgCrop->SetItemIndex(value); }

double TKelvoCorrectionToolFrame::ReferenceWidth() { return FrameNumber(EditWidth->Text()); }
double TKelvoCorrectionToolFrame::ReferenceHeight() { return FrameNumber(EditHeight->Text()); }

void TKelvoCorrectionToolFrame::SetReferenceSize(double width, double height) {
    EditWidth->SetText(FrameNumberText(width));
    EditHeight->SetText(FrameNumberText(height));
}

WideString FrameNumberText(double value) {
    if (value == 0 || !std::isfinite(value)) return WideString();
    return WidenBytes(FormatSignificant(value));
}

double FrameNumber(const WideString& text) {
    WideString dotted = text;
    for (char16_t& c : dotted)
        if (c == u',') c = u'.';
    const std::vector<double> numbers = ParseNumberList(dotted);
    return numbers.empty() || !std::isfinite(numbers[0]) ? 0.0 : numbers[0];
}
