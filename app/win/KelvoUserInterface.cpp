#include "app/win/KelvoUserInterface.h"

#include "app/win/TKelvoAbout.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoHelp.h"
#include "app/win/TKelvoToolFrame.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"

namespace kelvo {

void CreateKelvoUserInterface() {
    TMainForm::RegisterBuilder();
    TKelvoToolFrame::RegisterBuilder();
    TMainForm* mainForm = nullptr;
    KelvoApplication->CreateForm(TMainForm::StaticClass(), mainForm);
    KelvoApplication->CreateModuleNoRef(TKelvoHelp::StaticClass());
    static_cast<TKelvoAbout*>(KelvoApplication->CreateModuleNoRef(TKelvoAbout::StaticClass()))
        ->SetContent(KelvoAboutContent, KelvoAboutContentCount, "About");
    TKelvoToolPanelModule* toolPanel = nullptr;
    KelvoApplication->CreateModule(TKelvoToolPanelModule::StaticClass(), toolPanel);
}

}  // namespace kelvo
