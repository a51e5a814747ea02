#include "app/win/KelvoUserInterface.h"

#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoToolFrame.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"

namespace kelvo {

void CreateKelvoUserInterface() {
    TMainForm::RegisterBuilder();
    TKelvoToolFrame::RegisterBuilder();
    TMainForm* mainForm = nullptr;
    KelvoApplication->CreateForm(TMainForm::StaticClass(), mainForm);
    TKelvoToolPanelModule* toolPanel = nullptr;
    KelvoApplication->CreateModule(TKelvoToolPanelModule::StaticClass(), toolPanel);
}

}  // namespace kelvo
