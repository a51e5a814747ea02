#include "tests/scan/win/TwainTestPrefix.h"

#include <gtest/gtest.h>

#include <fstream>

namespace twaintest {

namespace {
std::string NewLogPath() {
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, folder);
    char name[MAX_PATH + 1] = {};
    ::GetTempFileNameA(folder, "tds", 0, name);
    ::DeleteFileA(name);
    return name;
}
}  // namespace

TSourceLog::TSourceLog() : path_(NewLogPath()), switch_("VANTOREL_TESTDS_LOG", path_) {}
TSourceLog::~TSourceLog() { ::DeleteFileA(path_.c_str()); }

std::vector<std::string> TSourceLog::Lines() const {
    std::vector<std::string> lines;
    std::ifstream in(path_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> TSourceLog::Calls() const {
    std::vector<std::string> calls;
    for (const std::string& line : Lines()) calls.push_back(line.substr(0, line.find(' ')));
    return calls;
}

HANDLE StartChild(const std::string& filter, const std::vector<std::string>& environment, const std::string& program) {
    for (const std::string& entry : environment) {
        const std::size_t eq = entry.find('=');
        ::SetEnvironmentVariableA(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str());
    }
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = "\"" + (program.empty() ? std::string(path) : program) + "\" --gtest_filter=" + filter;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const BOOL started =
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    for (const std::string& entry : environment)
        ::SetEnvironmentVariableA(entry.substr(0, entry.find('=')).c_str(), nullptr);
    if (!started) return nullptr;
    ::CloseHandle(info.hThread);
    return info.hProcess;
}

namespace {
std::string AppDefaultsKey(const std::string& name) { return "Software\\Wine\\AppDefaults\\" + name; }
}  // namespace

TOverriddenCopy::TOverriddenCopy(const std::string& name, const std::string& dll)
    : name_(name), program_(ProgramFolder() + name) {
    char self[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    ::CopyFileA(self, program_.c_str(), FALSE);
    HKEY key = nullptr;
    const std::string path = AppDefaultsKey(name) + "\\DllOverrides";
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        ::RegSetValueExA(key, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
        ::RegCloseKey(key);
    }
}

TOverriddenCopy::~TOverriddenCopy() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, AppDefaultsKey(name_).c_str());
    ::DeleteFileA(program_.c_str());
}

int WaitChild(HANDLE process, unsigned timeoutMs) {
    if (!process) return -1;
    int code = -1;
    if (::WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        ::GetExitCodeProcess(process, &exitCode);
        code = int(exitCode);
    } else {
        ::TerminateProcess(process, 99);
    }
    ::CloseHandle(process);
    return code;
}

}  // namespace twaintest
