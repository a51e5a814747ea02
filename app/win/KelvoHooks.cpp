#include "app/win/KelvoHooks.h"

#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoApplication.h"

namespace kelvo {

void StartHooks(TKelvoMethod localize, TKelvoMethod updateState) {
    RegisterListener(localize);
    if (KelvoApplication) KelvoApplication->AddIdleListener(updateState);
}

void StopHooks(TKelvoMethod localize, TKelvoMethod updateState) {
    UnregisterListener(localize);
    if (KelvoApplication) KelvoApplication->RemoveIdleListener(updateState);
}

bool InitializesItself(const TComponent& component) {
    return component.Owner() == nullptr || component.Owner() != Application;
}

}  // namespace kelvo
