// Threads against the std::thread backend natively and the Win32 one under Wine.
#include "tests/classlib/core/ThreadCases.inc"
