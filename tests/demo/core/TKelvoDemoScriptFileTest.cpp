// Script files through the native file backend. The Windows build runs the same cases from the Windows tests,
// because the platform-free test program there does not link the Win32 file backend.
#ifndef _WIN32
#include "tests/demo/core/DemoScriptFileCases.inc"
#endif
