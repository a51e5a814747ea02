// Entry point of the program.
#include "app/main/TKelvoStandInMainForm.h"
#include "app/win/KelvoProgram.h"
#include "app/win/TKelvoApplication.h"
#include "classlib/win/Win32.h"

namespace {
void CreateUserInterface() {
    TKelvoStandInMainForm::RegisterBuilder();
    TKelvoStandInMainForm* mainForm = nullptr;
    KelvoApplication->CreateForm(TKelvoStandInMainForm::StaticClass(), mainForm);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return kelvo::RunKelvoProgram(&CreateUserInterface);
}
