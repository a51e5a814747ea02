// A module with commands to refresh: UpdateState runs on every idle pass from Initialize until the module
// is destroyed.
#pragma once
#include "app/win/TKelvoModule.h"

class TKelvoModuleWithControls : public TKelvoModule {
    CLASSLIB_COMPONENT(TKelvoModuleWithControls, TKelvoModule)

    explicit TKelvoModuleWithControls(TComponent* owner) : TKelvoModule(owner) {}
    // Leaves the idle listeners.
    ~TKelvoModuleWithControls() override;

    // Enables, checks and captions the module's commands. Does nothing here; it must not provoke a message
    // when nothing changed, or the idle loop never rests.
    virtual void UpdateState();

    // Inherited, then UpdateState joins the idle listeners.
    void Initialize() override;
};
