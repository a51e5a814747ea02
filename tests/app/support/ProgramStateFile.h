// The state file of a program started as a process of its own (Vantorel.exe: Vantorel\Vantorel.cfg in the
// application data folder), written with the demonstrations window's start-up setting alone, so that a start
// brings that window up or not, as the caller asks.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/Stream.h"
#include "support/ProgramWindow.h"

namespace testsupport {

// Empty when there is no application data folder.
inline std::wstring ProgramStateFile(const std::wstring& program) {
    wchar_t folder[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, TRUE)) return {};
    std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
    name = name.substr(0, name.rfind(L'.'));
    return std::wstring(folder) + L"\\" + name + L"\\" + name + L".cfg";
}

inline bool WriteProgramStateFile(const std::wstring& file, bool demonstrationsAtStart) {
    if (file.empty()) return false;
    TMemoryStream content;
    {
        TKelvoSDFWriter writer(&content);
        // The demonstrations module's node and its show-at-start-up item.
        writer.BeginNode(1, TGUID::Parse("{2032DB53-FE8E-4FB8-8457-43C5430C9D6B}"));
        writer.WriteBool(1, demonstrationsAtStart);
        writer.EndNode();
    }
    ::CreateDirectoryW(file.substr(0, file.rfind(L'\\')).c_str(), nullptr);
    return WriteWholeFile(file, content.Memory(), std::size_t(content.Size()));
}

}  // namespace testsupport
