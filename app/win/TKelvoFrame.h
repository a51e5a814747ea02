// The base of the program's frames: the hooks of TKelvoForm, and a switch that enables or disables every
// control on the frame at once.
#pragma once
#include "app/win/KelvoUniLayer.h"
#include "app/win/TKelvoHookedControl.h"

class TKelvoFrame : public TKelvoHookedControl<TKelvoFrameBase> {
    CLASSLIB_COMPONENT(TKelvoFrame, TKelvoFrameBase)

    explicit TKelvoFrame(TComponent* owner) : TKelvoHookedControl(owner) {}

    // Controls enabled; then the hooks are registered.
    void Initialize() override;

    bool ControlsEnabled() const { return controlsEnabled_; }
    // When the value differs from the last one: Enabled of every control on the frame, at every depth.
    void SetControlsEnabled(bool value);

private:
    bool controlsEnabled_ = false;
};
