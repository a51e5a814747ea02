#include "demo/win/TKelvoDemoEditorModule.h"

#include "app/win/KelvoProgramMainForm.h"
#include "app/win/TMainForm.h"
#include "demo/win/TKelvoDemoEditorForm.h"
#include "demo/win/TKelvoDemonstrationModule.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinSeparatorItem.h"

TKelvoDemoEditorModule::TKelvoDemoEditorModule(TComponent* owner)
    : TKelvoDemoEditorModule(owner, kelvo::ProgramMainForm("The demonstration editor")) {}

TKelvoDemoEditorModule::TKelvoDemoEditorModule(TComponent* owner, TMainForm* mainForm)
    : TKelvoModuleWithControls(owner) {
    DemoEditorMenuItem = mainForm->AddMenuItem(u"Demo", kShortCut, mainForm->FileMenuSeparator, mainForm->FileMenuItem,
                                               -1, MakeMethod<&TKelvoDemoEditorModule::CmDemoEditor>(this));
    // Only its shortcut reaches it: the editor is for whoever writes the program's demonstrations.
    DemoEditorMenuItem->SetVisible(false);
}

void TKelvoDemoEditorModule::CmDemoEditor(TObject*) {
    TKelvoDemonstrationModule* demonstrations = TKelvoDemonstrationModule::Instance();
    if (!demonstrations) return;
    if (!form_) {
        TKelvoDemoEditorForm::RegisterBuilder();
        form_ = Create<TKelvoDemoEditorForm>(this);
        form_->FreeNotification(this);
        form_->Attach(*demonstrations);
        demonstrations->HiddenDuringRun = form_;
        form_->FreeNotification(demonstrations);
    }
    form_->Show();
}

void TKelvoDemoEditorModule::Notification(TComponent* component, TOperation operation) {
    TKelvoModuleWithControls::Notification(component, operation);
    if (operation == opRemove && component == form_) form_ = nullptr;
}
