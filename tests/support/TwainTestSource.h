// The scanner component's test data source in the running Wine prefix, for any test program that lists or uses
// TWAIN sources (the scanner's own tests, the program's Import menu): installed as the source manager's
// "sane.ds" with Wine's camera source switched off, and the switches it reads from the environment.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <string>

namespace testsupport {

// The name the test source gives itself in the manager's list.
constexpr char kTwainTestSourceName[] = "Vantorel Test Source";

// The folder of the running test program, with a final "\".
inline std::string TestProgramFolder() {
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Installs the test data source (built beside the test programs) as the manager's "sane.ds" and switches the
// camera source off, once per process.
inline void InstallTwainTestSource() {
    static std::once_flag done;
    std::call_once(done, [] {
        char windows[MAX_PATH + 1] = {};
        ::GetWindowsDirectoryA(windows, MAX_PATH);
#if defined(_WIN64)
        const std::string sources = std::string(windows) + "\\twain_64\\";
#else
        const std::string sources = std::string(windows) + "\\twain_32\\";
#endif
        ::CreateDirectoryA(sources.c_str(), nullptr);
        const std::string source = TestProgramFolder() + "vantorel_testds.ds";
        const std::string installed = sources + "sane.ds";
        if (!::CopyFileA(source.c_str(), installed.c_str(), FALSE)) {
            // Another test program of this build may have it loaded: the same file is in place then.
            WIN32_FILE_ATTRIBUTE_DATA a{}, b{};
            ASSERT_TRUE(::GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &a)) << source;
            ASSERT_TRUE(::GetFileAttributesExA(installed.c_str(), GetFileExInfoStandard, &b)) << installed;
            ASSERT_EQ(a.nFileSizeLow, b.nFileSizeLow) << installed;
        }
        // The camera source of a fresh prefix is listed even with no camera behind it.
        ::MoveFileExA((sources + "gphoto2.ds").c_str(), (sources + "gphoto2.ds.off").c_str(),
                      MOVEFILE_REPLACE_EXISTING);
    });
}

// Sets an environment switch for the scope (the data source and the stand-in manager read them at each call).
class TEnvironmentSwitch {
public:
    TEnvironmentSwitch(const char* name, const std::string& value) : name_(name) {
        ::SetEnvironmentVariableA(name, value.c_str());
    }
    ~TEnvironmentSwitch() { ::SetEnvironmentVariableA(name_.c_str(), nullptr); }
    TEnvironmentSwitch(const TEnvironmentSwitch&) = delete;
    TEnvironmentSwitch& operator=(const TEnvironmentSwitch&) = delete;

private:
    std::string name_;
};

}  // namespace testsupport
