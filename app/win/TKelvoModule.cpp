#include "app/win/TKelvoModule.h"

#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoApplication.h"

TKelvoModule::~TKelvoModule() { UnregisterListener(MakeMethod<&TKelvoModule::Localize>(this)); }

void TKelvoModule::Localize() {}

void TKelvoModule::Initialize() { RegisterListener(MakeMethod<&TKelvoModule::Localize>(this)); }

void TKelvoModule::LoadState(TKelvoSDFReader&) {}

void TKelvoModule::SaveState(TKelvoSDFWriter&) {}

void TKelvoModule::Start() {}

void TKelvoModule::AddIdleListener(TKelvoMethod listener) {
    if (KelvoApplication) KelvoApplication->AddIdleListener(listener);
}
