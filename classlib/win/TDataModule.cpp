#include "classlib/win/TDataModule.h"

#include "classlib/win/BuildRoot.h"
#include "classlib/win/TScreen.h"

TDataModule::TDataModule(TComponent* owner) : TComponent(owner), buildPending_(true) {}

TDataModule::TDataModule(TComponent* owner, TNoBuilders) : TComponent(owner) {}

TDataModule::~TDataModule() {
    if (joinedScreen_ && Screen) Screen->RemoveDataModule(this);
}

void TDataModule::AfterConstruction() {
    if (Screen) {
        Screen->AddDataModule(this);
        joinedScreen_ = true;
    }
    if (buildPending_) {
        buildPending_ = false;
        if (ClassType() != TDataModule::StaticClass()) BuildRootComponent(this, TDataModule::StaticClass());
    }
    if (oldCreateOrder_) DoCreate();
    TComponent::AfterConstruction();
    if (!oldCreateOrder_) DoCreate();
}

void TDataModule::BeforeDestruction() {
    TComponent::BeforeDestruction();
    DoDestroy();
}

void TDataModule::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TDataModule::DoDestroy() { FireOnDestroy(OnDestroy, this); }
