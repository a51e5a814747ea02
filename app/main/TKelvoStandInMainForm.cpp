#include "app/main/TKelvoStandInMainForm.h"

#include "app/core/TKelvoLocalizer.h"
#include "app/win/KelvoWindowPlacement.h"
#include "classlib/core/FormBuilder.h"

TKelvoStandInMainForm::TKelvoStandInMainForm(TComponent* owner) : TKelvoForm(owner) {
    SetCaption(u"Vantorel");
    SetBounds(100, 100, 800, 600);
}

void TKelvoStandInMainForm::RegisterBuilder() {
    RegisterFormBuilder(StaticClass(), [](TComponent*) {});
}

void TKelvoStandInMainForm::LoadState(TKelvoSDFReader& reader) {
    const TKelvoMainWindowState state = ReadMainWindowState(reader);
    if (state.Placement) kelvo::ApplyPlacement(*this, *state.Placement);
    if (state.LanguageId) SetLanguage(*state.LanguageId);
}

void TKelvoStandInMainForm::SaveState(TKelvoSDFWriter& writer) {
    WriteMainWindowState(writer, kelvo::CurrentPlacement(*this), GetCurrentLanguageId());
}
