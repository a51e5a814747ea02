// Script files through the Win32 file backend.
#include "tests/demo/core/DemoScriptFileCases.inc"
