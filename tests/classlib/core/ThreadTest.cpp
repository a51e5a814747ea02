// Threads against the std::thread backend natively and the Win32 one under Wine.
#include "ThreadCases.inc"
