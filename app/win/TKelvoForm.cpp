#include "app/win/TKelvoForm.h"

#include "app/win/KelvoHooks.h"
#include "app/win/TKelvoApplication.h"

TKelvoForm::~TKelvoForm() {
    StopHooks();
}

void TKelvoForm::AfterConstruction() {
    TKelvoFormBase::AfterConstruction();
    if (kelvo::InitializesItself(*this)) Initialize();
}

void TKelvoForm::BeforeDestruction() {
    StopHooks();
    TKelvoFormBase::BeforeDestruction();
}

void TKelvoForm::StopHooks() {
    kelvo::StopHooks(MakeMethod<&TKelvoForm::Localize>(this), MakeMethod<&TKelvoForm::UpdateState>(this));
}

void TKelvoForm::Localize() {}

void TKelvoForm::UpdateState() {}

void TKelvoForm::Initialize() {
    kelvo::StartHooks(MakeMethod<&TKelvoForm::Localize>(this), MakeMethod<&TKelvoForm::UpdateState>(this));
}

void TKelvoForm::LoadState(TKelvoSDFReader&) {}

void TKelvoForm::SaveState(TKelvoSDFWriter&) {}

void TKelvoForm::Start() {}

void TKelvoForm::WMDeferredCall(TMessage&) {
    if (KelvoApplication) KelvoApplication->RunPostponedCall();
}
