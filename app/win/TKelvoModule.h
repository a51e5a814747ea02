// The base of the program's feature modules: a component owned by Application that captions itself on every
// language change (Localize) and takes part in the state walks of the application object.
#pragma once
#include "app/core/IKelvoStatefulComponent.h"
#include "app/core/TKelvoMethodList.h"
#include "classlib/core/TComponent.h"

class TKelvoModule : public TComponent, public IKelvoStatefulComponent {
    CLASSLIB_COMPONENT(TKelvoModule, TComponent)

    explicit TKelvoModule(TComponent* owner) : TComponent(owner) {}
    // Stops listening to language changes.
    ~TKelvoModule() override;

    // Called at Initialize and again after every language change. Does nothing here.
    virtual void Localize();

    // Registers Localize with the localizer, which calls it at once.
    void Initialize() override;
    // These do nothing here.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
    void Start() override;

    // The application object's idle listeners.
    void AddIdleListener(TKelvoMethod listener);
};
