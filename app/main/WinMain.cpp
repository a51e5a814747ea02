// Entry point of the program.
#include "app/win/KelvoProgram.h"
#include "app/win/KelvoEditorUserInterface.h"
#include "classlib/win/Win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return kelvo::RunKelvoProgram(&kelvo::CreateKelvoEditorUserInterface);
}
