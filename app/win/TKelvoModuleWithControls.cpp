#include "app/win/TKelvoModuleWithControls.h"

#include "app/win/TKelvoApplication.h"

TKelvoModuleWithControls::~TKelvoModuleWithControls() {
    if (KelvoApplication)
        KelvoApplication->RemoveIdleListener(MakeMethod<&TKelvoModuleWithControls::UpdateState>(this));
}

void TKelvoModuleWithControls::UpdateState() {}

void TKelvoModuleWithControls::Initialize() {
    TKelvoModule::Initialize();
    AddIdleListener(MakeMethod<&TKelvoModuleWithControls::UpdateState>(this));
}
