#include "tools/win/TKelvoPerspectiveToolFrame.h"

#include "classlib/core/FormBuilder.h"
#include "classlib/win/TSpinEdit.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "unicode/win/TUniCheckBox.h"
#include "tools/win/TUniMyTrackBar.h"

TKelvoPerspectiveToolFrame::TKelvoPerspectiveToolFrame(TComponent* owner) : TKelvoCorrectionToolFrame(owner) {}

void TKelvoPerspectiveToolFrame::RegisterBuilder() {
    RegisterFormBuilder(StaticClass(), &TKelvoPerspectiveToolFrame::Build);
}

void TKelvoPerspectiveToolFrame::Build(TComponent* root) {
    auto* f = static_cast<TKelvoPerspectiveToolFrame*>(root);
    f->UniCBPerspKoef = kelvo::MakeControl<TUniCheckBox>(f, f, "UniCBPerspKoef", 0, 0, 0, 0);
    f->sePerspKoef = kelvo::MakeControl<TSpinEdit>(f, f, "sePerspKoef", 0, 0, 0, 0);
    f->sePerspKoef->SetMinValue(0);
    f->sePerspKoef->SetMaxValue(100);
    f->sePerspKoef->SetValue(100);
    f->KoefTrackBar = kelvo::MakeControl<TUniMyTrackBar>(f, f, "KoefTrackBar", 0, 0, 0, 0);
    f->KoefTrackBar->SetRange(0, 100);
    f->KoefTrackBar->SetFrequency(10);
    f->KoefTrackBar->SetPosition(100);
}

void TKelvoPerspectiveToolFrame::ArrangeExtra(int& top, int width) {
    UniCBPerspKoef->SetBounds(4, top, width - 70, 17);
    sePerspKoef->SetBounds(width - 60, top - 2, 60, 21);
    top += 22;
    KoefTrackBar->SetBounds(4, top, width, 27);
    top += 31;
}

int TKelvoPerspectiveToolFrame::StrengthValue() { return sePerspKoef->Value(); }

void TKelvoPerspectiveToolFrame::SetStrengthValue(int value) {
    sePerspKoef->SetValue(value);
    KoefTrackBar->SetPosition(sePerspKoef->Value());
}
