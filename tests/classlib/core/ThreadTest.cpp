// Threads against the native backend; under Wine the same cases run from the Windows tests.
#ifndef _WIN32
#include "ThreadCases.inc"
#endif
