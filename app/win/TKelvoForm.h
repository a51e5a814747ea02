// The base of the program's forms: captions itself on every language change (Localize), refreshes its
// commands on every idle pass (UpdateState), takes part in the state walks, and runs the application
// object's deferred calls when their message arrives.
#pragma once
#include "app/core/IKelvoStatefulComponent.h"
#include "app/core/TKelvoDeferredCalls.h"
#include "app/win/KelvoUniLayer.h"
#include "classlib/core/MessageDispatch.h"

class TKelvoForm : public TKelvoFormBase, public IKelvoStatefulComponent {
    CLASSLIB_COMPONENT(TKelvoForm, TKelvoFormBase)
    CLASSLIB_MESSAGES(TKelvoForm, CLASSLIB_ON(KelvoDeferredCallMessage, &TKelvoForm::WMDeferredCall))

    explicit TKelvoForm(TComponent* owner) : TKelvoFormBase(owner) {}
    // An empty form: no builders run.
    TKelvoForm(TComponent* owner, int dummy) : TKelvoFormBase(owner, dummy) {}
    ~TKelvoForm() override;

    // Inherited; then Initialize, unless Application owns the form (the state walk initialises those).
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // These do nothing here. UpdateState must not provoke a message when nothing changed, or the idle loop
    // never rests.
    virtual void Localize();
    virtual void UpdateState();

    // Registers Localize (called at once) and UpdateState (on every idle pass).
    void Initialize() override;
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
    void Start() override;

protected:
    void WMDeferredCall(TMessage& message);

private:
    void StopHooks();
};
