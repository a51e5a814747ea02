// What the scanner's Wine tests share: the test data source installed into the running prefix, its switches,
// its call log and child processes of the test program.
#pragma once
#include <string>
#include <vector>

#include "classlib/win/Win32.h"
#include "support/TwainTestSource.h"

namespace twaintest {

constexpr const char* kSourceName = testsupport::kTwainTestSourceName;

// The folder of the running test program, with a final "\".
inline std::string ProgramFolder() { return testsupport::TestProgramFolder(); }
// Installs the test data source as the manager's "sane.ds" and switches the camera source off (once).
inline void InstallTestSource() { testsupport::InstallTwainTestSource(); }

// Sets an environment switch for the scope (the data source and the stand-in manager read them at each call).
using TSwitch = testsupport::TEnvironmentSwitch;

// A fresh call log of the data source for the scope; Lines gives its calls without their return codes.
class TSourceLog {
public:
    TSourceLog();
    ~TSourceLog();
    std::vector<std::string> Lines() const;
    std::vector<std::string> Calls() const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    TSwitch switch_;
};

// Runs the test program again with the gtest filter and the extra environment ("NAME=value" entries); returns
// its process handle (the caller waits and closes it).
HANDLE StartChild(const std::string& filter, const std::vector<std::string>& environment,
                  const std::string& program = std::string());
// A copy of the test program under another name, for which Wine loads the named DLL from its file (a DLL
// override of that program alone); removed with the object. Program gives its path.
class TOverriddenCopy {
public:
    TOverriddenCopy(const std::string& name, const std::string& dll);
    ~TOverriddenCopy();
    TOverriddenCopy(const TOverriddenCopy&) = delete;
    TOverriddenCopy& operator=(const TOverriddenCopy&) = delete;
    const std::string& Program() const { return program_; }

private:
    std::string name_;
    std::string program_;
};

// Waits for a child and answers its exit code (-1 when it did not end in time).
int WaitChild(HANDLE process, unsigned timeoutMs);

}  // namespace twaintest
