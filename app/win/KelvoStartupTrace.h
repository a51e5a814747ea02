// Marks along the program's start-up, for the start-up benchmark: when the environment variable
// VANTOREL_STARTUP_TRACE names a file, every mark appends a line to it, the milliseconds since the process was
// created and the name of the phase that has just ended. Without the variable a mark costs one test.
#pragma once

namespace kelvo {

void StartupMark(const char* phaseEnded);

}  // namespace kelvo
