// The base of the program's frames: the hooks of TKelvoForm, and a switch that enables or disables every
// control on the frame at once.
#pragma once
#include "app/core/IKelvoStatefulComponent.h"
#include "app/win/KelvoUniLayer.h"

class TKelvoFrame : public TKelvoFrameBase, public IKelvoStatefulComponent {
    CLASSLIB_COMPONENT(TKelvoFrame, TKelvoFrameBase)

    explicit TKelvoFrame(TComponent* owner) : TKelvoFrameBase(owner) {}
    ~TKelvoFrame() override;

    // Inherited; then Initialize, unless Application owns the frame (the state walk initialises those).
    void AfterConstruction() override;
    void BeforeDestruction() override;

    virtual void Localize();
    virtual void UpdateState();

    // Controls enabled; then Localize (called at once) and UpdateState (every idle pass) are registered.
    void Initialize() override;
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
    void Start() override;

    bool ControlsEnabled() const { return controlsEnabled_; }
    // When the value differs from the last one: Enabled of every control on the frame, at every depth.
    void SetControlsEnabled(bool value);

private:
    void StopHooks();

    bool controlsEnabled_ = false;
};
