// Windows tests under a second ANSI code page. Wine chooses a process's ANSI code page from the Linux locale
// when the process starts (and a process made with CreateProcess inherits its parent's), so a test runs this
// test program again as a new Wine process started from the Unix side with LC_ALL=ru_RU.UTF-8: code page
// 1251. Windows builds only.
#pragma once
#ifdef _WIN32
#include <string>

namespace testsupport {

// True inside the child started by RunSelfWithCyrillicLocale.
bool IsCyrillicChild();
// Whether the tests run under Wine (only there does the code page follow the Linux locale).
bool RunsUnderWine();
// Runs this program with only the tests named by filter under the Cyrillic locale and waits for it (at
// most 3 minutes). Returns the child's exit code with its output, or -1 when it could not be run.
int RunSelfWithCyrillicLocale(const std::string& filter, std::string& output);

}  // namespace testsupport
#endif
