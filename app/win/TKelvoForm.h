// The base of the program's forms: captions itself on every language change (Localize), refreshes its
// commands on every idle pass (UpdateState), takes part in the state walks, and runs the application
// object's deferred calls when their message arrives.
#pragma once
#include "app/core/TKelvoDeferredCalls.h"
#include "app/win/KelvoUniLayer.h"
#include "app/win/TKelvoHookedControl.h"
#include "classlib/core/MessageDispatch.h"

class TKelvoForm : public TKelvoHookedControl<TKelvoFormBase> {
    CLASSLIB_COMPONENT(TKelvoForm, TKelvoFormBase)
    CLASSLIB_MESSAGES(TKelvoForm, CLASSLIB_ON(KelvoDeferredCallMessage, &TKelvoForm::WMDeferredCall))

    explicit TKelvoForm(TComponent* owner) : TKelvoHookedControl(owner) {}
    // An empty form: no builders run.
    TKelvoForm(TComponent* owner, TNoBuilders) : TKelvoHookedControl(owner, NoBuilders) {}

protected:
    void WMDeferredCall(TMessage& message);
};
