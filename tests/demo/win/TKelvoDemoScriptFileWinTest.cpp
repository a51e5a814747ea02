// Script files through the Win32 file backend.
#include "demo/core/DemoScriptFileCases.inc"
