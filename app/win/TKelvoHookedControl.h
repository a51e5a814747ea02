// What the form and frame bases share, over either base: the language hook (Localize) and the idle hook
// (UpdateState) come and go together, the four state hooks do nothing until a descendant overrides them, and
// a form or frame that Application does not own initialises itself once constructed (those Application
// owns are initialised by the state walk).
#pragma once
#include "app/core/IKelvoStatefulComponent.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/KelvoHooks.h"

template <class Base>
class TKelvoHookedControl : public Base, public IKelvoStatefulComponent {
public:
    using Base::Base;
    ~TKelvoHookedControl() override {
        kelvo::StopHooks(MakeMethod<&TKelvoHookedControl::Localize>(this),
                         MakeMethod<&TKelvoHookedControl::UpdateState>(this));
    }

    void AfterConstruction() override {
        Base::AfterConstruction();
        if (kelvo::InitializesItself(*this)) Initialize();
    }

    // Called at Initialize and after every language change. Does nothing here.
    virtual void Localize() {}
    // Called on every idle pass. Does nothing here; it must not provoke a message when nothing changed, or
    // the idle loop never rests.
    virtual void UpdateState() {}

    // Registers Localize (called at once) and UpdateState.
    void Initialize() override {
        kelvo::StartHooks(MakeMethod<&TKelvoHookedControl::Localize>(this),
                          MakeMethod<&TKelvoHookedControl::UpdateState>(this));
    }
    void LoadState(TKelvoSDFReader&) override {}
    void SaveState(TKelvoSDFWriter&) override {}
    void Start() override {}

    // The control's own text stays reachable beside the program's texts by number, which the control's
    // GetText would otherwise hide inside forms and frames.
    using Base::GetText;
    static WideString GetText(std::int32_t id, const WideString& fallback = WideString()) {
        return ::GetText(id, fallback);
    }
};
