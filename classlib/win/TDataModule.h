// Data modules: a non-visual container of components (actions, menus, image lists, the program's
// services) built by its registered builder like a form, listed by Screen, never the main form.
#pragma once
#include "classlib/core/TComponent.h"

class TDataModule : public TComponent {
    CLASSLIB_COMPONENT(TDataModule, TComponent)

    // Builds the module with the builders registered for its class and its bases below TDataModule. They
    // run once the object is complete (in AfterConstruction), so that they see the actual class and may
    // fill in members of a derived class. A derived class without any builder raises EResNotFound.
    explicit TDataModule(TComponent* owner);
    // A module without builders.
    TDataModule(TComponent* owner, TNoBuilders);
    ~TDataModule() override;

    // Runs the builders (ordinary constructor), then OnCreate: with OldCreateOrder right after the builders,
    // before the module is announced to its owner; otherwise after that. Joins Screen first.
    void AfterConstruction() override;
    // OnDestroy while the whole object still exists; an exception it raises goes to the application's
    // handler, since destruction cannot stop half-way.
    void BeforeDestruction() override;

    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;

protected:
    // Fire OnCreate / OnDestroy; overrides call the inherited version to keep them.
    virtual void DoCreate();
    virtual void DoDestroy();

private:
    bool buildPending_ = false;
    bool oldCreateOrder_ = false;
    bool joinedScreen_ = false;
};
