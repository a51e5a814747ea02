#include "app/win/KelvoFiles.h"

#include <shlobj.h>

#include <string>

#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TFileStream.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/WidePaths.h"
#include "unicode/win/TUniFileStream.h"
#include "unicode/win/WideFiles.h"

namespace kelvo {

bool ReadFileBytes(const WideString& name, AnsiString& bytes, std::size_t maxBytes) {
    if (!uni::FileExistsW(name)) return false;
    try {
        TUniFileStream file(name, fmOpenRead | fmShareDenyWrite);
        const std::int64_t size = file.Size();
        if (size < 0 || std::uint64_t(size) > maxBytes) return false;
        AnsiString content(std::size_t(size), '\0');
        file.ReadBuffer(content.data(), static_cast<std::int32_t>(size));
        bytes = std::move(content);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool ReplaceFileContent(const WideString& name, const void* data, std::size_t size) {
    const WideString folder = uni::FilePathOfW(name);
    try {
        if (!folder.empty() && !uni::CreateWideDirectoryPath(folder)) return false;
    } catch (const Exception&) {
        return false;
    }
    if (size > std::size_t(INT32_MAX)) return false;
    return ReplaceFileBy(name, [&](const WideString& temporary) {
        try {
            TUniFileStream file(temporary, fmCreate);
            file.WriteBuffer(data, static_cast<std::int32_t>(size));
            return ::FlushFileBuffers(reinterpret_cast<HANDLE>(file.Handle())) != FALSE;
        } catch (const Exception&) {
            return false;
        }
    });
}

bool ReplaceFileBy(const WideString& name, const std::function<bool(const WideString& temporary)>& write) {
    // Named after the process, so that two instances saving at once do not write into the same file.
    const std::string pid = std::to_string(::GetCurrentProcessId());
    const WideString temporary = name + u"." + WidenBytes(pid) + u".tmp";
    TScopeExit removeTemporary([&] { ::DeleteFileW(WideCStr(temporary)); });
    if (!write(temporary)) return false;
    if (!::MoveFileExW(WideCStr(temporary), WideCStr(name), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    removeTemporary.Dismiss();
    return true;
}

WideString ApplicationDataFolder(HWND owner) {
    wchar_t path[MAX_PATH + 1] = {};
    if (!::SHGetSpecialFolderPathW(owner, path, CSIDL_APPDATA, FALSE)) return WideString();
    return FromWideChars(path);
}

}  // namespace kelvo
