// Entry point of the program: the start-up data module builds everything else.
#include "main/TModule.h"
#include "app/win/KelvoProgram.h"
#include "classlib/win/Win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return kelvo::RunKelvoProgram(&kelvo::CreateStartupModule); }
